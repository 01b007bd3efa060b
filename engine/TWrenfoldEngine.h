// The generation engine: the window's documents and properties and every operation that reads and
// writes them (generation runs, project files, batches). A thin coordinator: the work is done by
// the template and statement expanders, the file actions and the disk it is given. Headless.
#pragma once

#include "engine/IProjectDisk.h"
#include "engine/IWrenfoldHost.h"
#include "engine/TBatchList.h"
#include "engine/TOutputSet.h"
#include "engine/TTemplateExpander.h"
#include "engine/TTextDocument.h"

#include "Tessel/Rtl/Exception.h"

#include <QObject>

#include <map>
#include <memory>
#include <optional>
#include <vector>

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

    // --- Outputs of a configuration that names them -----------------------------------------
    // A configuration with a section "Outputs" makes each of its outputs once for every target it
    // lists (engine/TOutputSet.h); the batch list then holds an entry for each output of each
    // target, and the batch makes the ticked ones.
    bool NamesOutputs() const;
    struct TOutputEntry {
        QString Target; // empty when the configuration lists no targets
        QString Path;   // the output file, resolved
        QString Shown;  // the path as the configuration gives it, expanded
        QString Template;
        int Output = 0; // the index of its line in section "Outputs"
    };
    // The entries of the batch list, in its order, once a configuration naming outputs is open.
    const std::vector<TOutputEntry>& OutputEntries() const { return FOutputEntries; }
    // Lists the outputs of every target in the batch list, each ticked.
    void FillOutputList();
    // Ticks the entries named: a name is a target, or an output's file name or its name without
    // the extension; with both kinds given, an entry must match one of each. Raises for a name
    // that is neither.
    void TickNamedOutputs(const QStringList& ANames);

    // --- Batch generation ----------------------------------------------------------------
    // Makes the ticked projects (or outputs). A request to stop (engine/TCancelCapture.h) ends it before the
    // next project: the projects made stay, the log and the closing box say how far it came, and it returns
    // false. True when it ran to the end.
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
    // A batch starts to make the entry AIndex of the batch list.
    void BatchEntryStarted(int AIndex);
    // A project's text was loaded (before its name and template are taken).
    void ProjectTextLoaded();
    // A dropped template was loaded into the input text.
    void DroppedInputLoaded(const QString& AFileName);

private:
    TStatementExpander Statements();
    void LoadDocument(TTextDocument& ADocument, const QString& AFileName);
    void SetBatchRunning(bool AValue);
    QString NoProjectsMessage() const;
    void WriteOutputTo(const QString& AFileName, const QString& AWrittenText);
    // The outputs' entries as the configuration now gives them, the ticks kept where an entry is
    // listed as before.
    void RefreshOutputList();
    std::vector<TOutputEntry> ComputeOutputEntries();
    // The replace list of an output: the shared entries, the project's own, the target's own.
    QStringList OutputReplaceList(const QString& ATarget, const QString& AProjectName);
    QString ExpandOutputPath(const QString& APattern, const QStringList& AList, const QString& ATarget);
    void MakeOutputEntry(int AIndex);
    // Makes every output, or only the ticked ones as a batch (with its closing box); false when
    // the user stopped it.
    bool MakeOutputs(bool ATickedOnly);
    // The project text parsed as an INI file.
    Tessel::TKestMemIniFile& ProjectIniFile() const;
    // The lines of one of its sections, read once while the text stays the same; none when the
    // section is missing (which reading it would add).
    const QStringList& ProjectSection(const QString& ASection) const;

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
    std::vector<TOutputEntry> FOutputEntries;
    mutable QStringList FProjectIniLines; // the text FProjectIniFile was parsed from
    mutable std::unique_ptr<Tessel::TKestMemIniFile> FProjectIniFile;
    mutable std::map<QString, QStringList> FProjectSections; // by upper-case name
    QStringList FOutputListSource;                           // the project text the output list was made from
};

} // namespace Wrenfold
