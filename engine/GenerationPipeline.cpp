// One generation run: the log, the working documents and the order of the steps.
#include "engine/PathRules.h"
#include "engine/TMarkerLineIndex.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestIniFiles.h"

namespace Wrenfold {

TWrenfoldEngine::TWrenfoldEngine(IWrenfoldHost& AHost, QObject* AParent)
    : QObject(AParent), FHost(AHost), FInputMarkers(std::make_unique<TMarkerLineIndex>()) {}

TWrenfoldEngine::~TWrenfoldEngine() = default;

void TWrenfoldEngine::Log(const QString& AText) { synLog.Append(AText); }

void TWrenfoldEngine::ClearOutput() {
    for (TTextDocument* document : {&synLog, &synInput, &synOutput, &synReplaceList}) document->Empty();
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
    Log(QStringLiteral("Making Dproj from project \"%1\" in directory \"%2\"")
            .arg(FCurrentProjectName, FCurrentDirectory));
    LoadInputFromProject();
    Tessel::TKestMemIniFile& iniFile = ProjectIniFile();
    ReadProjectSection(iniFile, QStringLiteral("Replace"), synReplaceList, true);
    RunFileActions(iniFile, QStringLiteral("PreActions"));
    ExpandListStatements(synReplaceList);
    ExpandTemplate(synInput, synOutput, synReplaceList);
    WriteOutputFile();
    RunFileActions(iniFile, QStringLiteral("PostActions"));
    Log(QStringLiteral("Dproj output complete"));
}

bool TWrenfoldEngine::MakeDprojCommand() {
    ClearOutput();
    try {
        MakeDproj(true);
    } catch (const Tessel::Exception& e) {
        ReportError(e.Message());
        return false;
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("Out of memory"));
        return false;
    }
    FHost.ShowInfoBox(QStringLiteral("Dproj output complete"));
    return true;
}

} // namespace Wrenfold
