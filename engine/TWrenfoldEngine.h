// The generation engine: the window's documents and properties and every operation that reads and
// writes them (generation runs, statements, file actions, project files, batches). Headless.
#pragma once

#include "engine/IWrenfoldHost.h"
#include "engine/TBatchList.h"
#include "engine/TSubstitutionData.h"
#include "engine/TTextDocument.h"

#include "Tessel/Exception.h"

#include <QObject>

#include <memory>
#include <optional>

namespace Tessel {
class TKestMemIniFile;
}

namespace Wrenfold {

class TExpansionTrail;
class TMarkerLineIndex;
class TReplaceIndex;

class TWrenfoldEngine : public QObject {
    Q_OBJECT
public:
    explicit TWrenfoldEngine(IWrenfoldHost& AHost, QObject* AParent = nullptr);
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
    void ReadProjectSection(Tessel::TKestMemIniFile& AIniFile, const QString& ASection, TTextDocument& ATarget,
                            bool ARequired);

    // --- Template substitution -----------------------------------------------------------
    void ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput, const TTextDocument& AReplaceList);
    void SubstituteLine(const TTextDocument& AReplaceList, int AIndex, QString& ALine);
    bool FindMarker(QChar ALetterCode, QString& ALine, TSubstitutionData& AData, int AIndex) const;
    // The value of the first replace-list line whose name equals AName without regard to case.
    static QString LookUpReplaceValue(const QStringList& AReplaceList, const QString& AName);

    // --- Replace-list statements ---------------------------------------------------------
    void ExpandListStatements(QStringList& AList);
    void ExpandListStatements(TTextDocument& AList);
    void ExpandStatements(QString& ALine);
    bool ExpandGetStatement(QString& ALine);
    bool ExpandReplaceStatement(QString& ALine);
    bool ExpandIncludeStatement(QString& ALine);
    static int FindClosingBracket(const QString& AText, int AStart);

    // --- File actions --------------------------------------------------------------------
    void RunFileActions(Tessel::TKestMemIniFile& AIniFile, const QString& ASection);
    void RunActionList(const QStringList& AList, const QString& ASection);
    void FileCopyAction(const QString& AValue, const QString& ASection);
    void FileDeleteAction(const QString& AValue, const QString& ASection);

    // --- Project and input files ---------------------------------------------------------
    const QString& CurrentDirectory() const { return FCurrentDirectory; }
    void SetCurrentDirectory(const QString& AValue);
    const QString& CurrentProjectName() const { return FCurrentProjectName; }
    void SetCurrentProjectName(const QString& AValue);
    void FillBatchList();
    void LoadProjectFile(const QString& AFileName);
    QString GetInputFileName() const;
    void LoadInputFromProject();
    void LoadInputFile(const QString& AFileName);
    QString GetOutputFileName() const;
    void WriteOutputFile();

    // --- Batch generation ----------------------------------------------------------------
    void RunBatch();
    void MakeBatchProject(const QString& AProjectName);
    bool IsBatchRunning() const { return FBatchRunning; }

    // --- Commands (each catches its failures and reports them; true on success) -----------
    bool MakeDprojCommand();
    bool MakeBatchCommand();

signals:
    void CurrentDirectoryChanged(const QString& AValue);
    void CurrentProjectNameChanged(const QString& AValue);
    void BatchRunningChanged(bool ARunning);

private:
    // Substitutes ALine's markers, the first of which stands at AFirstMarker.
    void SubstituteLineFrom(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine, qsizetype AFirstMarker);
    void ExpandStatementsTracked(QString& ALine, TExpansionTrail& ATrail);
    bool ExpandStatementOfKind(int AKind, QString& ALine, TExpansionTrail& ATrail);
    void SetBatchRunning(bool AValue);
    // The project text parsed as an INI file.
    Tessel::TKestMemIniFile& ProjectIniFile() const;

    IWrenfoldHost& FHost;
    QString FCurrentDirectory;
    QString FCurrentProjectName;
    std::optional<QString> FOpeningProjectName; // set while LoadProjectFile runs
    bool FBatchRunning = false;
    mutable QStringList FProjectIniLines; // the text FProjectIniFile was parsed from
    mutable std::unique_ptr<Tessel::TKestMemIniFile> FProjectIniFile;
    std::unique_ptr<TMarkerLineIndex> FInputMarkers; // of the template being expanded
};

} // namespace Wrenfold
