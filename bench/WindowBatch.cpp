// wrenfold-bench-window FOLDER/AllProjects.wfmconfig [--tab NAME]: runs a batch through the window.
// Opens the configuration as the command line does, brings the named tab to the front (Batch by
// default: project, replace, input, output, log or batch), waits until the window has been painted,
// then runs Make Batch as its key does. Prints the nanoseconds from the key to the end of the command,
// the log lines the Log tab showed when "All selected projects processed" appeared and the lines the
// log held then. Every box is answered OK; questions are answered No.
#include "editor/TSynEditor.h"
#include "main/AllocatorTuning.h"
#include "main/IWrenfoldPrompter.h"
#include "main/UWrenfoldMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Wrenfold;

namespace {

class TSilentPrompter : public IWrenfoldPrompter {
public:
    std::function<void(TMessageKind)> OnMessage;
    QStringList Errors;

    bool AskYesNo(const QString&) override { return false; }
    bool AskYesNoDefaultNo(const QString&) override { return false; }
    void ShowMessage(TMessageKind AKind, const QString&, const QString& AText) override {
        if (AKind == TMessageKind::Error) Errors.append(AText);
        if (OnMessage) OnMessage(AKind);
    }
    bool Execute(TFileDialog&) override { return false; }
    bool OpenDocument(const QString&) override { return true; }
};

int TabNamed(const QString& AName) {
    const QStringList names{"project", "replace", "input", "output", "log", "batch"};
    return int(names.indexOf(AName.toLower()));
}

} // namespace

int main(int argc, char** argv) {
    TuneAllocatorForBatches(); // as the program starts
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing of the user's: settings and registry in a scratch folder.
    QTemporaryDir scratch;
    qputenv("WRENFOLD_REGISTRY_DIR", scratch.filePath(QStringLiteral("registry")).toUtf8());
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int tab = int(TDocumentTab::Batch);
    if (arguments.size() == 4 && arguments[2] == QLatin1String("--tab")) tab = TabNamed(arguments[3]);
    if ((arguments.size() != 2 && arguments.size() != 4) || tab < 0) {
        std::fprintf(stderr, "Usage: %s FOLDER/AllProjects.wfmconfig [--tab NAME]\n", argv[0]);
        return 2;
    }

    TSilentPrompter prompter;
    TForm29 form(
        &prompter, {arguments[0], arguments[1]},
        std::make_unique<QSettings>(scratch.filePath(QStringLiteral("Wrenfold.ini")), QSettings::IniFormat));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "error: the window was not shown\n");
        return 2;
    }
    form.PageControl->setCurrentIndex(tab);
    QTest::qWait(200); // the window settles: painted, appends shown, idle
    if (!prompter.Errors.isEmpty() || form.Engine().clbFileList.Count() == 0) {
        std::fprintf(stderr, "error: the project did not open: %s\n", qPrintable(prompter.Errors.join('\n')));
        return 2;
    }

    int shownAtBox = -1, heldAtBox = -1;
    prompter.OnMessage = [&](TMessageKind AKind) {
        if (AKind != TMessageKind::Plain) return;
        shownAtBox = form.synLog->lines();
        heldAtBox = form.Engine().synLog.Count();
    };
    QElapsedTimer timer;
    timer.start();
    form.actMakeBatch->trigger();
    const qint64 nanoseconds = timer.nsecsElapsed();
    if (!prompter.Errors.isEmpty() || shownAtBox < 0) {
        std::fprintf(stderr, "error: the batch failed: %s\n", qPrintable(prompter.Errors.join('\n')));
        return 1;
    }
    std::printf("%lld %d %d\n", static_cast<long long>(nanoseconds), shownAtBox, heldAtBox);
    form.hide();
    return 0;
}
