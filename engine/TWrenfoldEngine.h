// The generation engine: the window's documents and properties and every operation that reads and
// writes them (generation runs, project files, batches). A thin coordinator: the work is done by
// the template and statement expanders, the file actions and the disk it is given. Headless.
#pragma once

#include "engine/IProjectDisk.h"
#include "engine/IWrenfoldHost.h"
#include "engine/TBatchList.h"
#include "engine/TTemplateExpander.h"
#include "engine/TTextDocument.h"

#include "Tessel/Rtl/Exception.h"

#include <QObject>

#include <memory>
#include <optional>

namespace Tessel {
class TKestMemIniFile;
}

namespace Wrenfold {

class TStatementExpander;

class TWrenfoldEngine : public QObject {
    Q_OBJECT
public:
    // Works on the real files.
    explicit TWrenfoldEngine(IWrenfoldHost& AHost, QObject* AParent = nullptr);
    // Works through ADisk, which must outlive the engine.
    TWrenfoldEngine(IWrenfoldHost& AHost, IProjectDisk& ADisk, QObject* AParent = nullptr);
    ~TWrenfoldEngine() override;

    // Documents (the window's editors bind to them).
    TTextDocument synProject, synReplaceList, synInput, synOutput, synLog;
    TBatchList clbFileList;

    // --- Generation pipeline -------------------------------------------------------------
    void Log(const QString& AText);
    void ClearOutput();
    void ReportError(const QString& AMessage);
    QString ResolvePath(const QString& APath) const;
    void MakeDproj(bool AAskToSave);
    void ReadProjectSection(Tessel::TKestMemIniFile& AIniFile, const QString& ASection, QStringList& ATarget,
                            bool ARequired);
    void ReadProjectSection(Tessel::TKestMemIniFile& AIniFile, const QString& ASection,
                            TTextDocument& ATarget, bool ARequired);
    void ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                        const TTextDocument& AReplaceList);
    // The replace-list statements, for the current project.
    void ExpandListStatements(TTextDocument& AList);
    void RunFileActions(Tessel::TKestMemIniFile& AIniFile, const QString& ASection);
    // The entries of the current project's own replace section ("Replace:Name") take the place of
    // the shared ones of the same name, or are added after them.
    void ApplyProjectReplaceEntries(Tessel::TKestMemIniFile& AIniFile);

    // --- Project and input files ---------------------------------------------------------
    const QString& CurrentDirectory() const { return FCurrentDirectory; }
    void SetCurrentDirectory(const QString& AValue);
    const QString& CurrentProjectName() const { return FCurrentProjectName; }
    void SetCurrentProjectName(const QString& AValue);
    void FillBatchList();
    // The projects the configuration leaves out of a batch ("Skip=" of section "Batch", names with
    // or without their extension, separated by commas), as written.
    QStringList SkippedProjects() const;
    bool IsSkipped(const QString& AEntry) const;
    // Ticks every batch entry but those the configuration leaves out.
    void ApplyBatchSkips();
    void LoadProjectFile(const QString& AFileName);
    QString GetInputFileName() const;
    void LoadInputFromProject();
    void LoadInputFile(const QString& AFileName);
    // The file the input text was last loaded from; empty once the input is emptied.
    const QString& InputFileName() const { return FInputFileName; }
    // Loads a template dropped on the window in place of the project's.
    void LoadDroppedInputFile(const QString& AFileName);
    QString GetOutputFileName() const;
    void WriteOutputFile();

    // --- Batch generation ----------------------------------------------------------------
    // Makes the ticked projects. A request to stop (engine/TCancelCapture.h) ends it before the next
    // project: the projects made stay, the log and the closing box say how far it came, and it
    // returns false. True when it ran to the end.
    bool RunBatch();
    void MakeBatchProject(const QString& AProjectName);
    bool IsBatchRunning() const { return FBatchRunning; }
    // Whether the last batch stopped on the user's request before its end.
    bool BatchCancelled() const { return FBatchCancelled; }
    // The GUIDs $GET(RANDOMGUID) made up in the current or last run.
    const QStringList& RandomGuids() const { return FRandomGuids; }

    // --- Commands (each catches its failures and reports them; true on success) -----------
    bool MakeDprojCommand();
    bool MakeBatchCommand();

signals:
    void CurrentDirectoryChanged(const QString& AValue);
    void CurrentProjectNameChanged(const QString& AValue);
    void BatchRunningChanged(bool ARunning);
    // A project's text was loaded (before its name and template are taken).
    void ProjectTextLoaded();
    // A dropped template was loaded into the input text.
    void DroppedInputLoaded(const QString& AFileName);

private:
    TStatementExpander Statements();
    void LoadDocument(TTextDocument& ADocument, const QString& AFileName);
    void SetBatchRunning(bool AValue);
    QString NoProjectsMessage() const;
    // The project text parsed as an INI file.
    Tessel::TKestMemIniFile& ProjectIniFile() const;

    IWrenfoldHost& FHost;
    std::unique_ptr<IProjectDisk> FOwnDisk;
    IProjectDisk& FDisk;
    TTemplateExpander FTemplateExpander;
    QString FCurrentDirectory;
    QString FCurrentProjectName;
    QString FInputFileName;
    std::optional<QString> FOpeningProjectName; // set while LoadProjectFile runs
    bool FBatchRunning = false;
    bool FBatchCancelled = false;
    QStringList FRandomGuids;
    mutable QStringList FProjectIniLines; // the text FProjectIniFile was parsed from
    mutable std::unique_ptr<Tessel::TKestMemIniFile> FProjectIniFile;
};

} // namespace Wrenfold
