// Wrenfold: the window. The first argument, when it names an existing file, is opened as a project.
#include "main/AllocatorTuning.h"
#include "main/UWrenfoldMain.h"
#include "main/UWrenfoldMessages.h"

#include "Tessel/UKestStartup.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <optional>

namespace {

void ShowFatalError(const QString& AMessage) {
    Wrenfold::MessageBoxFor(Wrenfold::TMessageKind::Error, Wrenfold::ProgramTitle(),
                            Wrenfold::ApplicationErrorText(AMessage), nullptr)
        ->exec();
}

} // namespace

int main(int argc, char** argv) {
    Wrenfold::TuneAllocatorForBatches();
    QApplication application(argc, argv);
    Wrenfold::InstallLibraryDialogs();
    // The library is started before the window exists and shut down after it is gone; a failure of
    // either is shown and ends the program with status 1.
    std::optional<Tessel::TKestLibraryLifetime> library;
    try {
        library.emplace();
    } catch (const std::exception& e) {
        ShowFatalError(QString::fromUtf8(e.what()));
        return 1;
    }
    int result;
    {
        Wrenfold::TForm29 form;
        form.show();
        result = application.exec();
    }
    try {
        library->Shutdown();
    } catch (const std::exception& e) {
        ShowFatalError(QString::fromUtf8(e.what()));
        return result == 0 ? 1 : result;
    }
    return result;
}
