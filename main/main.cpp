// Wrenfold: the window. The first argument, when it names an existing file, is opened as a project.
#include "main/UWrenfoldMain.h"
#include "main/UWrenfoldMessages.h"

#include "Tessel/UKestLibrary/RuntimeCommandLine.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Wrenfold::InstallLibraryDialogs();
    Tessel::InitRuntimeCommandLine();
    Wrenfold::TForm29 form;
    form.show();
    return application.exec();
}
