#include "engine/TWrenfoldEngine.h"

#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/DollarScan.h"
#include "engine/PathRules.h"
#include "engine/TCancelCapture.h"
#include "engine/TFileActions.h"
#include "engine/TProjectDisk.h"
#include "engine/TRepeatBlocks.h"
#include "engine/TReplaceIndex.h"
#include "engine/TStatementExpander.h"

#include "Tessel/UKestIniFiles.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QDir>
#include <QScopeGuard>

#include <algorithm>

namespace Wrenfold {

TWrenfoldEngine::TWrenfoldEngine(IWrenfoldHost& AHost, QObject* AParent)
    : TWrenfoldEngine(AHost, *new TProjectDisk, AParent) {
    FOwnDisk.reset(&FDisk);
}

TWrenfoldEngine::TWrenfoldEngine(IWrenfoldHost& AHost, IProjectDisk& ADisk, QObject* AParent)
    : QObject(AParent), FHost(AHost), FDisk(ADisk),
      FTemplateExpander([this](const QString& ALine) { Log(ALine); }) {
    // A batch logs every replacement: a hundred thousand lines are kept as their UTF-8 bytes.
    synLog.SetPackAppendedLines(true);
}

TWrenfoldEngine::~TWrenfoldEngine() = default;

// --- Generation pipeline -----------------------------------------------------------------

void TWrenfoldEngine::Log(const QString& AText) {
    synLog.Append(AText);
}

void TWrenfoldEngine::ClearOutput() {
    for (TTextDocument* document : {&synLog, &synInput, &synOutput, &synReplaceList})
        document->Empty();
    FInputFileName.clear();
}

void TWrenfoldEngine::ReportError(const QString& AMessage) {
    Log(QStringLiteral("***Error: \"%1\"").arg(AMessage));
    FHost.ShowErrorBox(AMessage);
}

QString TWrenfoldEngine::ResolvePath(const QString& APath) const {
    return ResolvePathAgainst(APath, FCurrentDirectory);
}

void TWrenfoldEngine::ReadProjectSection(Tessel::TKestMemIniFile& AIniFile, const QString& ASection,
                                         QStringList& ATarget, bool ARequired) {
    // A section is missing when it has no lines at all.
    QStringList lines;
    AIniFile.ReadSectionStrings(ASection, lines);
    if (ARequired && lines.isEmpty())
        throw Tessel::Exception(QStringLiteral("Missing project section \"%1\"").arg(ASection));
    ATarget = lines;
}

void TWrenfoldEngine::ReadProjectSection(Tessel::TKestMemIniFile& AIniFile, const QString& ASection,
                                         TTextDocument& ATarget, bool ARequired) {
    QStringList lines;
    ReadProjectSection(AIniFile, ASection, lines, ARequired);
    ATarget.SetLines(lines);
}

void TWrenfoldEngine::MakeDproj(bool AAskToSave) {
    if (AAskToSave) FHost.SaveProjectIfModified();
    FRandomGuids.clear();
    if (NamesOutputs()) {
        MakeOutputs(false);
        return;
    }
    Log(QStringLiteral("Making Dproj from project \"%1\" in directory \"%2\"")
            .arg(FCurrentProjectName, FCurrentDirectory));
    LoadInputFromProject();
    Tessel::TKestMemIniFile& iniFile = ProjectIniFile();
    ReadProjectSection(iniFile, QStringLiteral("Replace"), synReplaceList, true);
    ApplyProjectReplaceEntries(iniFile);
    RunFileActions(iniFile, QStringLiteral("PreActions"));
    ExpandListStatements(synReplaceList);
    ExpandTemplate(synInput, synOutput, synReplaceList);
    WriteOutputFile();
    RunFileActions(iniFile, QStringLiteral("PostActions"));
    Log(QStringLiteral("Dproj output complete"));
}

void TWrenfoldEngine::ApplyProjectReplaceEntries(Tessel::TKestMemIniFile& AIniFile) {
    const QString section = ProjectReplaceSection(FCurrentProjectName);
    // Looked for without reading it: reading a missing section adds it to the configuration, which
    // would grow by a section for every project of a batch.
    if (!AIniFile.SectionExists(section)) return;
    QStringList entries;
    ReadProjectSection(AIniFile, section, entries, false);
    if (entries.isEmpty()) return;
    synReplaceList.SetLines(MergedReplaceEntries(synReplaceList.Lines(), entries));
    Log(QStringLiteral("Replace entries for project \"%1\" from section \"%2\"")
            .arg(FCurrentProjectName, section));
}

void TWrenfoldEngine::ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                                     const TTextDocument& AReplaceList) {
    FTemplateExpander.ExpandTemplate(AInput, AOutput, AReplaceList);
}

TStatementExpander TWrenfoldEngine::Statements() {
    return TStatementExpander(
        FCurrentProjectName, FCurrentDirectory, synReplaceList, FDisk,
        [this](const QString& ALine) { Log(ALine); }, &FRandomGuids);
}

void TWrenfoldEngine::ExpandListStatements(TTextDocument& AList) {
    Statements().ExpandListStatements(AList);
}

void TWrenfoldEngine::RunFileActions(Tessel::TKestMemIniFile& AIniFile, const QString& ASection) {
    QStringList actions;
    ReadProjectSection(AIniFile, ASection, actions, false);
    Statements().ExpandListStatements(actions);
    TFileActions(FCurrentDirectory, FDisk, [this](const QString& ALine) {
        Log(ALine);
    }).RunActionList(actions, ASection);
}

bool TWrenfoldEngine::MakeDprojCommand() {
    ClearOutput();
    if (!RunReportingFailure([this] { MakeDproj(true); },
                             [this](const QString& AMessage) { ReportError(AMessage); }))
        return false;
    FHost.ShowInfoBox(QStringLiteral("Dproj output complete"));
    return true;
}

// --- Project and input files -------------------------------------------------------------

void TWrenfoldEngine::SetCurrentDirectory(const QString& AValue) {
    Log(QStringLiteral("Set current directory \"%1\"").arg(AValue));
    FCurrentDirectory = AValue;
    emit CurrentDirectoryChanged(AValue);
    FillBatchList();
}

void TWrenfoldEngine::SetCurrentProjectName(const QString& AValue) {
    Log(QString());
    Log(QStringLiteral("Set current project name \"%1\"").arg(AValue));
    FCurrentProjectName = AValue;
    emit CurrentProjectNameChanged(AValue);
}

void TWrenfoldEngine::FillBatchList() {
    clbFileList.Clear();
    clbFileList.SetEntries(BatchProjectFiles(FDisk.ListFiles(FCurrentDirectory)));
    ApplyBatchSkips();
    // While a project is being opened, the notice follows that project rather than the previous one.
    if (!IsAllProjects(FOpeningProjectName.value_or(FCurrentProjectName))) return;
    if (clbFileList.Count() > 0)
        FHost.ShowInfoBox(
            QStringLiteral("%1 Delphi projects found. These are listed in the batch tab if required.")
                .arg(clbFileList.Count()));
    else
        FHost.ShowInfoBox(NoProjectsMessage());
}

QString TWrenfoldEngine::NoProjectsMessage() const {
    return QStringLiteral("No Delphi projects found: the folder \"%1\" holds no .dpr or .dpk file")
        .arg(FCurrentDirectory);
}

QStringList TWrenfoldEngine::SkippedProjects() const {
    return ProjectNameList(
        ProjectIniFile().ReadString(QStringLiteral("Batch"), QStringLiteral("Skip"), QString()));
}

bool TWrenfoldEngine::IsSkipped(const QString& AEntry) const {
    return NamesProject(SkippedProjects(), AEntry);
}

void TWrenfoldEngine::ApplyBatchSkips() {
    const QStringList skipped = SkippedProjects();
    for (int i = 0; i < clbFileList.Count(); ++i)
        clbFileList.SetChecked(i, !NamesProject(skipped, clbFileList.Text(i)));
}

void TWrenfoldEngine::LoadDocument(TTextDocument& ADocument, const QString& AFileName) {
    ADocument.LoadFromBytes(FDisk.ReadFile(AFileName), AFileName);
}

void TWrenfoldEngine::LoadProjectFile(const QString& AFileName) {
    Log(QStringLiteral("Load project file \"%1\"").arg(AFileName));
    FOpeningProjectName = Tessel::FileBaseName(AFileName);
    const auto openingDone = qScopeGuard([this] { FOpeningProjectName.reset(); });
    SetCurrentDirectory(Tessel::FileFolderPart(AFileName));
    LoadDocument(synProject, AFileName);
    // The list was filled before the project's own text was there.
    const bool namesOutputs = NamesOutputs();
    if (!namesOutputs) ApplyBatchSkips();
    emit ProjectTextLoaded();
    SetCurrentProjectName(Tessel::FileBaseName(AFileName));
    if (namesOutputs) {
        FillOutputList();
        // The outputs name their own templates; an InputName, where given, is still shown.
        if (!GetInputFileName().isEmpty()) LoadInputFromProject();
        return;
    }
    LoadInputFromProject();
}

Tessel::TKestMemIniFile& TWrenfoldEngine::ProjectIniFile() const {
    // A batch reads the same project text for every project: parse it only when it changed.
    if (!FProjectIniFile || synProject.Lines() != FProjectIniLines) {
        auto iniFile = std::make_unique<Tessel::TKestMemIniFile>(QString(), true);
        iniFile->SetStrings(synProject.Lines());
        FProjectIniFile = std::move(iniFile);
        FProjectIniLines = synProject.Lines();
        FProjectSections.clear();
    }
    return *FProjectIniFile;
}

const QStringList& TWrenfoldEngine::ProjectSection(const QString& ASection) const {
    Tessel::TKestMemIniFile& iniFile = ProjectIniFile();
    const QString key = Tessel::AsciiUpperCase(ASection);
    auto section = FProjectSections.find(key);
    if (section == FProjectSections.end()) {
        QStringList lines;
        if (iniFile.SectionExists(ASection)) iniFile.ReadSectionStrings(ASection, lines);
        section = FProjectSections.emplace(key, lines).first;
    }
    return section->second;
}

QString TWrenfoldEngine::GetInputFileName() const {
    const QString name = ToSlashes(
        ProjectIniFile().ReadString(QStringLiteral("General"), QStringLiteral("InputName"), QString()));
    if (name.isEmpty()) return QString();
    return ResolvePath(WithTemplateExtension(name));
}

void TWrenfoldEngine::LoadInputFromProject() {
    const QString fileName = GetInputFileName();
    if (fileName.isEmpty())
        throw Tessel::Exception(QStringLiteral("Missing InputName= declaration in project"));
    if (!FDisk.IsExistingFile(fileName))
        throw Tessel::Exception(QStringLiteral("Input file not found \"%1\"").arg(fileName));
    LoadInputFile(fileName);
}

void TWrenfoldEngine::LoadInputFile(const QString& AFileName) {
    Log(QStringLiteral("Load input file \"%1\"").arg(AFileName));
    LoadDocument(synInput, AFileName);
    FInputFileName = AFileName;
}

void TWrenfoldEngine::LoadDroppedInputFile(const QString& AFileName) {
    LoadInputFile(AFileName);
    emit DroppedInputLoaded(AFileName);
}

QString TWrenfoldEngine::GetOutputFileName() const {
    if (FCurrentDirectory.isEmpty() || FCurrentProjectName.isEmpty()) return QString();
    return JoinPath(FCurrentDirectory, FCurrentProjectName + OutputExtension);
}

void TWrenfoldEngine::WriteOutputFile() {
    const QString fileName = GetOutputFileName();
    if (fileName.isEmpty()) return;
    WriteOutputTo(fileName, QStringLiteral("Dproj output file"));
}

void TWrenfoldEngine::WriteOutputTo(const QString& AFileName, const QString& AWrittenText) {
    // The output takes the template's encoding, byte-order mark and line breaks.
    const Tessel::TTextFormat format{synInput.Format().Encoding, OutputLineBreak(synInput.Format())};
    Tessel::TUnencodableChar unencodable;
    if (Tessel::FindUnencodableChar(synOutput.Lines(), format.Encoding, unencodable))
        throw Tessel::Exception(
            QStringLiteral("Output line %1 holds \"%2\", which the template's encoding (%3) "
                           "cannot hold: save the template as %4")
                .arg(unencodable.Line + 1)
                .arg(unencodable.Character, Tessel::EncodingName(format.Encoding),
                     format.Encoding == Tessel::TTextEncoding::Ansi ? QStringLiteral("UTF-8")
                                                                    : QStringLiteral("UTF-16")));
    FDisk.WriteTextFile(AFileName, synOutput.Lines(), format);
    if (FDisk.WritesForReal())
        Log(QStringLiteral("%1 written \"%2\"").arg(AWrittenText, AFileName));
    else
        Log(QStringLiteral("%1 would be written \"%2\"").arg(AWrittenText, AFileName));
}

// --- Outputs of a configuration that names them --------------------------------------------

bool TWrenfoldEngine::NamesOutputs() const {
    return Wrenfold::NamesOutputs(ProjectIniFile());
}

QStringList TWrenfoldEngine::OutputReplaceList(const QString& ATarget, const QString& AProjectName) {
    QStringList list = ProjectSection(QStringLiteral("Replace"));
    if (!AProjectName.isEmpty())
        list = MergedReplaceEntries(list, ProjectSection(ProjectReplaceSection(AProjectName)));
    if (!ATarget.isEmpty()) list = MergedReplaceEntries(list, ProjectSection(TargetSection(ATarget)));
    return list;
}

QString TWrenfoldEngine::ExpandOutputPath(const QString& APattern, const QStringList& AList,
                                          const QString& ATarget) {
    const TLogSink silent = [](const QString&) {};
    TTextDocument list;
    list.SetLines(AList);
    TStatementExpander statements(FCurrentProjectName, FCurrentDirectory, list, FDisk, silent);
    statements.SetTarget(ATarget);
    QString path = APattern;
    statements.ExpandStatements(path);
    const TReplaceIndex index(AList);
    if (const qsizetype first = IndexOfMarker(path, u'P', 0); first >= 0)
        TTemplateExpander(silent).SubstituteLine(index, 0, path, first);
    return Tessel::KestTrim(path);
}

std::vector<TWrenfoldEngine::TOutputEntry> TWrenfoldEngine::ComputeOutputEntries() {
    const TOutputSet set = ReadOutputSet(ProjectIniFile());
    const QStringList targets = set.Targets.isEmpty() ? QStringList{QString()} : set.Targets;
    std::vector<TOutputEntry> entries;
    for (const QString& target : targets) {
        // The paths see the target's values with their statements expanded.
        TTextDocument list;
        list.SetLines(OutputReplaceList(target, QString()));
        TStatementExpander statements(FCurrentProjectName, FCurrentDirectory, list, FDisk,
                                      [](const QString&) {});
        statements.SetTarget(target);
        statements.ExpandListStatements(list);
        const QStringList values = list.Lines();
        for (int i = 0; i < int(set.Outputs.size()); ++i) {
            // An output whose path comes out empty is not made for the target.
            const QString shown = ExpandOutputPath(set.Outputs[i].Path, values, target);
            if (shown.isEmpty()) continue;
            entries.push_back({target, ResolvePath(ToSlashes(shown)), shown, set.Outputs[i].Template, i});
        }
    }
    return entries;
}

namespace {

QString OutputEntryText(const TWrenfoldEngine::TOutputEntry& AEntry) {
    return AEntry.Target.isEmpty() ? AEntry.Shown : AEntry.Target + QStringLiteral(": ") + AEntry.Shown;
}

} // namespace

void TWrenfoldEngine::FillOutputList() {
    FOutputEntries = ComputeOutputEntries();
    FOutputListSource = synProject.Lines();
    QStringList texts;
    for (const TOutputEntry& entry : FOutputEntries)
        texts.append(OutputEntryText(entry));
    clbFileList.SetEntries(texts);
}

void TWrenfoldEngine::RefreshOutputList() {
    // The list made from the same text stands (values read from other files aside).
    if (synProject.Lines() == FOutputListSource && int(FOutputEntries.size()) == clbFileList.Count()) return;
    std::vector<TOutputEntry> entries = ComputeOutputEntries();
    FOutputListSource = synProject.Lines();
    bool same = entries.size() == FOutputEntries.size() && int(entries.size()) == clbFileList.Count();
    for (int i = 0; same && i < int(entries.size()); ++i)
        same = OutputEntryText(entries[i]) == clbFileList.Text(i);
    if (same) {
        FOutputEntries = std::move(entries);
        return;
    }
    QStringList unticked;
    for (int i = 0; i < clbFileList.Count(); ++i)
        if (!clbFileList.Checked(i)) unticked.append(clbFileList.Text(i));
    FillOutputList();
    for (int i = 0; i < clbFileList.Count(); ++i)
        if (unticked.contains(clbFileList.Text(i))) clbFileList.SetChecked(i, false);
}

namespace {

// True when AName is the output's file name or its name without the extension.
bool NamesOutput(const QString& AName, const QString& APath) {
    return Tessel::FileNamePart(APath).compare(AName, Qt::CaseInsensitive) == 0 ||
           Tessel::FileBaseName(APath).compare(AName, Qt::CaseInsensitive) == 0;
}

} // namespace

void TWrenfoldEngine::TickNamedOutputs(const QStringList& ANames) {
    QStringList targets, outputs;
    for (const QString& name : ANames) {
        const bool isTarget =
            std::any_of(FOutputEntries.begin(), FOutputEntries.end(), [&](const TOutputEntry& AEntry) {
                return !AEntry.Target.isEmpty() && AEntry.Target.compare(name, Qt::CaseInsensitive) == 0;
            });
        const bool isOutput =
            std::any_of(FOutputEntries.begin(), FOutputEntries.end(),
                        [&](const TOutputEntry& AEntry) { return NamesOutput(name, AEntry.Path); });
        if (isTarget) targets.append(name);
        if (isOutput) outputs.append(name);
        if (!isTarget && !isOutput)
            throw Tessel::Exception(
                QStringLiteral("\"%1\" is neither a target nor an output of the configuration").arg(name));
    }
    for (int i = 0; i < int(FOutputEntries.size()); ++i) {
        const TOutputEntry& entry = FOutputEntries[i];
        const bool targetNamed = targets.isEmpty() || targets.contains(entry.Target, Qt::CaseInsensitive);
        const bool outputNamed =
            outputs.isEmpty() || std::any_of(outputs.begin(), outputs.end(), [&](const QString& AName) {
                return NamesOutput(AName, entry.Path);
            });
        clbFileList.SetChecked(i, targetNamed && outputNamed);
    }
}

void TWrenfoldEngine::MakeOutputEntry(int AIndex) {
    const TOutputEntry& entry = FOutputEntries[AIndex];
    const QString projectName = Tessel::FileBaseName(entry.Path);
    const QString templateFile = ResolvePath(WithTemplateExtension(ToSlashes(entry.Template)));
    Log(QString());
    if (entry.Target.isEmpty())
        Log(QStringLiteral("Making \"%1\" from template \"%2\"").arg(entry.Path, templateFile));
    else
        Log(QStringLiteral("Making \"%1\" for target \"%2\" from template \"%3\"")
                .arg(entry.Path, entry.Target, templateFile));
    synReplaceList.SetLines(OutputReplaceList(entry.Target, projectName));
    TStatementExpander statements(
        projectName, FCurrentDirectory, synReplaceList, FDisk, [this](const QString& ALine) { Log(ALine); },
        &FRandomGuids);
    statements.SetTarget(entry.Target);
    statements.SetSourceFolder(Tessel::FileFolderPart(entry.Path));
    statements.ExpandListStatements(synReplaceList);
    if (!FDisk.IsExistingFile(templateFile))
        throw Tessel::Exception(
            QStringLiteral("Template not found \"%1\" for output \"%2\"").arg(templateFile, entry.Path));
    LoadInputFile(templateFile);
    if (HoldsRepeatBlocks(synInput.Lines())) {
        // The blocks repeat for the other outputs of the target, by their paths from this one.
        std::vector<TRepeatItem> items;
        const QDir folder(Tessel::FileFolderPart(entry.Path));
        for (int i = 0; i < int(FOutputEntries.size()); ++i)
            if (i != AIndex && FOutputEntries[i].Target == entry.Target) {
                const QString& path = FOutputEntries[i].Path;
                items.push_back({Tessel::FileBaseName(path), Tessel::FileNamePart(path),
                                 folder.relativeFilePath(path).replace(u'/', u'\\')});
            }
        TTextDocument expanded;
        expanded.SetFormat(synInput.Format());
        expanded.SetLines(ExpandRepeatBlocks(synInput.Lines(), items));
        ExpandTemplate(expanded, synOutput, synReplaceList);
    } else {
        ExpandTemplate(synInput, synOutput, synReplaceList);
    }
    WriteOutputTo(entry.Path, QStringLiteral("Output file"));
}

bool TWrenfoldEngine::MakeOutputs(bool ATickedOnly) {
    RefreshOutputList();
    if (ATickedOnly && !clbFileList.AnyChecked())
        throw Tessel::Exception(QStringLiteral("No output of the configuration is ticked: nothing to make"));
    Tessel::TKestMemIniFile& iniFile = ProjectIniFile();
    Log(QStringLiteral("Making the outputs of project \"%1\" in directory \"%2\"")
            .arg(FCurrentProjectName, FCurrentDirectory));
    RunFileActions(iniFile, QStringLiteral("PreActions"));
    int selected = 0;
    for (int i = 0; i < clbFileList.Count(); ++i)
        if (!ATickedOnly || clbFileList.Checked(i)) ++selected;
    int made = 0;
    bool cancelled = false;
    for (int i = 0; i < int(FOutputEntries.size()) && !cancelled; ++i) {
        if (ATickedOnly && !clbFileList.Checked(i)) continue;
        if (ATickedOnly && CancelRequested()) {
            cancelled = true;
            break;
        }
        emit BatchEntryStarted(i);
        MakeOutputEntry(i);
        ++made;
        FHost.ProcessPendingEvents();
    }
    FBatchCancelled = cancelled;
    if (!cancelled) RunFileActions(iniFile, QStringLiteral("PostActions"));
    Log(QStringLiteral("Dproj output complete"));
    if (!ATickedOnly) return true;
    if (!cancelled) {
        FHost.ShowPlainBox(QStringLiteral("All selected projects processed"));
        return true;
    }
    Log(QStringLiteral("-- Batch cancelled after %1 of %2 projects ---").arg(made).arg(selected));
    FHost.ShowPlainBox(
        QStringLiteral("Batch cancelled: %1 of %2 selected projects processed").arg(made).arg(selected));
    return false;
}

// --- Batch generation --------------------------------------------------------------------

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

bool TWrenfoldEngine::RunBatch() {
    FBatchCancelled = false;
    if (NamesOutputs()) {
        FRandomGuids.clear();
        return MakeOutputs(true);
    }
    if (!IsAllProjects(FCurrentProjectName))
        throw Tessel::Exception(QStringLiteral(
            "You must have loaded an \"AllProjects.wfmconfig\" file before you can run a batch"));
    // The list is read entry by entry: it stays as it is while the batch runs, because the front
    // ends lock every other command until the batch ends. Whether the projects succeed or fail,
    // the name returns to AllProjects (not from a destructor: setting it logs, which may fail).
    // A batch that makes nothing is no success.
    if (clbFileList.Count() == 0) throw Tessel::Exception(NoProjectsMessage());
    if (!clbFileList.AnyChecked())
        throw Tessel::Exception(QStringLiteral("No project of the batch is ticked: nothing to make"));
    int selected = 0;
    for (int i = 0; i < clbFileList.Count(); ++i)
        if (clbFileList.Checked(i)) ++selected;
    int made = 0;
    try {
        // A request to stop is seen before each project: the one being made is finished first.
        for (int i = 0; i < clbFileList.Count() && !FBatchCancelled; ++i) {
            if (clbFileList.Checked(i)) {
                if (CancelRequested()) {
                    FBatchCancelled = true;
                } else {
                    emit BatchEntryStarted(i);
                    MakeBatchProject(Tessel::FileBaseName(clbFileList.Text(i)));
                    ++made;
                }
            } else if (IsSkipped(clbFileList.Text(i))) {
                Log(QStringLiteral("Skipped \"%1\": the configuration leaves it out of the batch")
                        .arg(clbFileList.Text(i)));
            }
        }
        if (!FBatchCancelled) FHost.ShowPlainBox(QStringLiteral("All selected projects processed"));
    } catch (...) {
        SetCurrentProjectName(AllProjectsName);
        throw;
    }
    SetCurrentProjectName(AllProjectsName);
    if (!FBatchCancelled) return true;
    // The log ends with where the batch stopped, and the box says so as well.
    Log(QStringLiteral("-- Batch cancelled after %1 of %2 projects ---").arg(made).arg(selected));
    FHost.ShowPlainBox(
        QStringLiteral("Batch cancelled: %1 of %2 selected projects processed").arg(made).arg(selected));
    return false;
}

bool TWrenfoldEngine::MakeBatchCommand() {
    SetBatchRunning(true);
    const bool ok = RunReportingFailure(
        [this] {
            FHost.SaveProjectIfModified();
            ClearOutput();
            Log(QString());
            Log(QStringLiteral("-- Batch starting ---"));
            if (RunBatch()) Log(QStringLiteral("-- Batch complete ---"));
        },
        [this](const QString& AMessage) { ReportError(AMessage); });
    SetBatchRunning(false);
    return ok;
}

} // namespace Wrenfold
