#include "cli/AdoptCommand.h"

#include "cli/TCliHost.h"
#include "engine/CommandFailure.h"
#include "engine/PathRules.h"
#include "engine/TDryRunDisk.h"
#include "engine/TProjectAdoption.h"
#include "engine/TProjectDisk.h"
#include "engine/TStatementExpander.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace Wrenfold {

namespace {

enum { ecSuccess = 0, ecFailed = 1, ecDiffers = 3 };

// A front end for the dry runs that check an adoption: it shows nothing and keeps the errors.
class TSilentHost : public IWrenfoldHost {
public:
    QStringList Errors;
    bool AskYesNo(const QString&) override { return false; }
    void ShowErrorBox(const QString& AMessage) override { Errors.append(AMessage); }
    void ShowInfoBox(const QString&) override {}
    void ShowPlainBox(const QString&) override {}
    void SaveProjectIfModified() override {}
    void ProcessPendingEvents() override {}
};

// The configuration and template written for an adoption, as bytes in the project file's format.
struct TAdoptionFiles {
    QString ConfigFile, TemplateFile;
    QByteArray Config, Template;
};

TAdoptionFiles MakeFiles(const QString& AProjectFile, const QString& ABaseName, bool AStableGuid) {
    const TProjectDisk disk;
    Tessel::TTextFormat format;
    const QStringList lines = Tessel::DecodeTextLines(disk.ReadFile(AProjectFile), format, AProjectFile);
    const TAdoptedProject adopted = AdoptProject(lines, Tessel::FileBaseName(AProjectFile), AStableGuid);
    const QString folder = Tessel::FileFolderPart(AProjectFile);
    TAdoptionFiles files{JoinPath(folder, ABaseName + QStringLiteral(".wfmconfig")),
                         JoinPath(folder, ABaseName + QStringLiteral(".wfmInput")), {}, {}};
    files.Template = Tessel::EncodeTextLines(adopted.Template, format);
    files.Config = Tessel::EncodeTextLines(AdoptedConfiguration(ABaseName, adopted.ReplaceList), format);
    return files;
}

// How the adoption's files make each project: empty for a project made again exactly, else why not.
QString Verify(const TAdoptionFiles& AFiles, const QString& AProjectFile) {
    const TProjectDisk realDisk;
    TDryRunDisk disk(realDisk);
    disk.PutFile(AFiles.ConfigFile, AFiles.Config);
    disk.PutFile(AFiles.TemplateFile, AFiles.Template);
    TSilentHost host;
    TWrenfoldEngine engine(host, disk);
    // The GUID aside: the project's stable GUID replaces the one it had, as a made-up one would.
    disk.CheckOutputs([&] { return engine.RandomGuids() + QStringList{ProjectGuidText(engine.CurrentProjectName())}; });
    const bool ok = RunReportingFailure(
        [&] {
            engine.LoadProjectFile(AFiles.ConfigFile);
            engine.SetCurrentProjectName(Tessel::FileBaseName(AProjectFile));
            engine.MakeDproj(false);
        },
        [&](const QString& AMessage) { host.Errors.append(AMessage); });
    if (!ok) return host.Errors.value(0);
    for (const TDryRunDisk::TChangedOutput& output : disk.ChangedOutputs())
        if (output.Path == AProjectFile) return output.Diff;
    return QString();
}

bool RefuseExisting(const TAdoptionFiles& AFiles, TCliHost& AHost) {
    for (const QString& file : {AFiles.ConfigFile, AFiles.TemplateFile})
        if (QFileInfo::exists(file)) {
            AHost.ShowErrorBox(QStringLiteral("\"%1\" exists already: adopt never overwrites a file").arg(file));
            return true;
        }
    return false;
}

void WriteFiles(const TAdoptionFiles& AFiles) {
    Tessel::WriteFileBytes(AFiles.ConfigFile, AFiles.Config);
    Tessel::WriteFileBytes(AFiles.TemplateFile, AFiles.Template);
}

} // namespace

int AdoptProjectFile(const QString& AProjectFile, bool AStableGuid, TCliHost& AHost) {
    const QString projectFile = QFileInfo(AProjectFile).absoluteFilePath();
    int result = ecFailed;
    RunReportingFailure(
        [&] {
            const TAdoptionFiles files = MakeFiles(projectFile, Tessel::FileBaseName(projectFile), AStableGuid);
            if (RefuseExisting(files, AHost)) return;
            const QString difference = Verify(files, projectFile);
            if (!difference.isEmpty()) {
                AHost.ShowErrorBox(QStringLiteral("The template would not make \"%1\" again; nothing written\n%2")
                                       .arg(projectFile, difference.trimmed()));
                return;
            }
            WriteFiles(files);
            AHost.ShowInfoBox(QStringLiteral("Wrote \"%1\" and \"%2\", which make \"%3\" again")
                                  .arg(files.ConfigFile, files.TemplateFile, projectFile));
            result = ecSuccess;
        },
        [&](const QString& AMessage) { AHost.ShowErrorBox(AMessage); });
    return result;
}

int AdoptFolder(const QString& AFolder, bool AStableGuid, TCliHost& AHost) {
    const QString folder = QFileInfo(AFolder).absoluteFilePath();
    int result = ecFailed;
    RunReportingFailure(
        [&] {
            QStringList projects = QDir(folder).entryList({QStringLiteral("*.dproj")}, QDir::Files);
            std::sort(projects.begin(), projects.end(),
                      [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
            if (projects.isEmpty()) {
                AHost.ShowErrorBox(QStringLiteral("No .dproj file in \"%1\"").arg(folder));
                return;
            }
            const TAdoptionFiles files =
                MakeFiles(JoinPath(folder, projects.first()), QStringLiteral("AllProjects"), AStableGuid);
            if (RefuseExisting(files, AHost)) return;
            WriteFiles(files);
            AHost.ShowInfoBox(QStringLiteral("Wrote \"%1\" and \"%2\" from \"%3\"")
                                  .arg(files.ConfigFile, files.TemplateFile, projects.first()));
            int differing = 0;
            for (const QString& project : projects) {
                const QString difference = Verify(files, JoinPath(folder, project));
                if (difference.isEmpty()) {
                    AHost.WriteLogLine(QStringLiteral("%1: made again by the shared template").arg(project));
                } else {
                    ++differing;
                    AHost.WriteLogLine(QStringLiteral("%1: differs from what the shared template makes").arg(project));
                    AHost.WriteLogLine(difference.trimmed());
                }
            }
            result = differing == 0 ? ecSuccess : ecDiffers;
        },
        [&](const QString& AMessage) { AHost.ShowErrorBox(AMessage); });
    return result;
}

} // namespace Wrenfold
