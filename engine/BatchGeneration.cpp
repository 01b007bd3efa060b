// Making every marked project of an AllProjects folder from the one shared configuration.
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

namespace Wrenfold {

void TWrenfoldEngine::SetBatchRunning(bool AValue) {
    if (FBatchRunning == AValue) return;
    FBatchRunning = AValue;
    emit BatchRunningChanged(AValue);
}

void TWrenfoldEngine::MakeBatchProject(const QString& AProjectName) {
    SetCurrentProjectName(AProjectName);
    MakeDproj(false);
    FHost.ProcessPendingEvents();
}

void TWrenfoldEngine::RunBatch() {
    if (!Tessel::SameAsciiText(FCurrentProjectName, QStringLiteral("AllProjects")))
        throw Tessel::Exception(
            QStringLiteral("You must have loaded an \"AllProjects.wfmconfig\" file before you can run a batch"));
    // The list is read entry by entry: it stays as it is while the batch runs, because the front
    // ends lock every other command until the batch ends.
    try {
        for (int i = 0; i < clbFileList.Count(); ++i)
            if (clbFileList.Checked(i)) MakeBatchProject(Tessel::FileBaseName(clbFileList.Text(i)));
        FHost.ShowPlainBox(QStringLiteral("All selected projects processed"));
    } catch (...) {
        SetCurrentProjectName(QStringLiteral("AllProjects"));
        throw;
    }
    SetCurrentProjectName(QStringLiteral("AllProjects"));
}

bool TWrenfoldEngine::MakeBatchCommand() {
    SetBatchRunning(true);
    bool ok = true;
    try {
        FHost.SaveProjectIfModified();
        ClearOutput();
        Log(QString());
        Log(QStringLiteral("-- Batch starting ---"));
        RunBatch();
        Log(QStringLiteral("-- Batch complete ---"));
    } catch (const Tessel::Exception& e) {
        ReportError(e.Message());
        ok = false;
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("Out of memory"));
        ok = false;
    }
    SetBatchRunning(false);
    return ok;
}

} // namespace Wrenfold
