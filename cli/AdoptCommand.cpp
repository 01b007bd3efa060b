#include "cli/AdoptCommand.h"

#include "cli/ExitCodes.h"
#include "cli/TCliHost.h"
#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/TAdoptionRun.h"
#include "engine/TProjectDisk.h"

#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QDir>
#include <QFileInfo>

namespace Wrenfold {

namespace {

QStringList FileNames(const TAdoptionFiles& AFiles) {
    QStringList names = {AFiles.ConfigFile};
    for (const auto& [path, bytes] : AFiles.Templates)
        names.append(path);
    return names;
}

bool RefuseExisting(const TAdoptionFiles& AFiles, const IProjectDisk& ADisk, TCliHost& AHost) {
    for (const QString& file : FileNames(AFiles))
        if (ADisk.IsExistingFile(file) || QFileInfo::exists(file)) {
            AHost.ShowErrorBox(
                QStringLiteral("\"%1\" exists already: adopt never overwrites a file").arg(file));
            return true;
        }
    return false;
}

void WriteFiles(const TAdoptionFiles& AFiles) {
    Tessel::WriteFileBytes(AFiles.ConfigFile, AFiles.Config);
    for (const auto& [path, bytes] : AFiles.Templates)
        Tessel::WriteFileBytes(path, bytes);
}

// Runs AAdopt and writes its files when they make the projects again; AOnProblems reports why not
// and gives the exit status.
int Adopt(TCliHost& AHost, const std::function<TAdoption(const IProjectDisk&)>& AAdopt,
          const std::function<int(const TAdoption&)>& AOnProblems,
          const std::function<void(const TAdoption&)>& AOnWritten) {
    int result = ecFailed;
    RunReportingFailure(
        [&] {
            const TProjectDisk disk;
            const TAdoption adoption = AAdopt(disk);
            for (const QString& note : adoption.Notes)
                AHost.WriteLogLine(note);
            if (!adoption.Problems.isEmpty()) {
                result = AOnProblems(adoption);
                return;
            }
            if (RefuseExisting(adoption.Files, disk, AHost)) return;
            WriteFiles(adoption.Files);
            AOnWritten(adoption);
            result = ecSuccess;
        },
        [&](const QString& AMessage) { AHost.ShowErrorBox(AMessage); });
    return result;
}

} // namespace

int AdoptProjectFile(const QString& AProjectFile, bool AStableGuid, TCliHost& AHost) {
    const QString projectFile = QFileInfo(AProjectFile).absoluteFilePath();
    if (!Tessel::SameAsciiText(Tessel::FileExtension(projectFile), OutputExtension)) {
        AHost.ShowErrorBox(
            QStringLiteral("adopt takes a .dproj file, not \"%1\"; nothing written").arg(AProjectFile));
        return ecUsage;
    }
    return Adopt(
        AHost, [&](const IProjectDisk& ADisk) { return AdoptProjectFile(ADisk, projectFile, AStableGuid); },
        [&](const TAdoption& AAdoption) {
            AHost.ShowErrorBox(QStringLiteral("The template would not make \"%1\" again; nothing written\n%2")
                                   .arg(projectFile, AAdoption.Problems.join(u'\n')));
            return ecFailed;
        },
        [&](const TAdoption& AAdoption) {
            AHost.ShowInfoBox(
                QStringLiteral("Wrote \"%1\" and \"%2\", which make \"%3\" again")
                    .arg(AAdoption.Files.ConfigFile, AAdoption.Files.Templates.front().first, projectFile));
        });
}

int AdoptFolder(const QString& AFolder, bool AStableGuid, TCliHost& AHost) {
    const QString folder = QFileInfo(AFolder).absoluteFilePath();
    return Adopt(
        AHost, [&](const IProjectDisk& ADisk) { return AdoptFolder(ADisk, folder, AStableGuid); },
        [&](const TAdoption& AAdoption) {
            for (const QString& problem : AAdoption.Problems)
                AHost.WriteLogLine(problem);
            AHost.ShowErrorBox(
                QStringLiteral(
                    "No template shared by the projects of \"%1\" makes them all again; nothing written")
                    .arg(folder));
            return ecWouldChange;
        },
        [&](const TAdoption& AAdoption) {
            AHost.ShowInfoBox(
                QStringLiteral("Wrote \"%1\" and \"%2\", which make every project of \"%3\" again")
                    .arg(AAdoption.Files.ConfigFile, AAdoption.Files.Templates.front().first, folder));
        });
}

int AdoptVersionTree(const QString& AFolder, TCliHost& AHost) {
    // "Packages/" names the configuration after "Packages" too.
    const QString folder = QDir::cleanPath(QFileInfo(AFolder).absoluteFilePath());
    if (!QFileInfo(folder).isDir()) {
        AHost.ShowErrorBox(
            QStringLiteral("adopt --versions takes a folder, not \"%1\"; nothing written").arg(AFolder));
        return ecUsage;
    }
    return Adopt(
        AHost, [&](const IProjectDisk& ADisk) { return AdoptVersionTree(ADisk, folder); },
        [&](const TAdoption& AAdoption) {
            for (const QString& problem : AAdoption.Problems)
                AHost.WriteLogLine(problem);
            AHost.ShowErrorBox(QStringLiteral("No configuration makes every version of \"%1\" again; nothing "
                                              "written\n%2")
                                   .arg(folder, AAdoption.Problems.front()));
            return ecWouldChange;
        },
        [&](const TAdoption& AAdoption) {
            AHost.ShowInfoBox(QStringLiteral("Wrote \"%1\" and %2 templates, which make every file of the "
                                             "versions of \"%3\" again")
                                  .arg(AAdoption.Files.ConfigFile)
                                  .arg(AAdoption.Files.Templates.size())
                                  .arg(folder));
        });
}

} // namespace Wrenfold
