#include "engine/TAdoptionRun.h"

#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/PathRules.h"
#include "engine/TDryRunDisk.h"
#include "engine/TProjectAdoption.h"
#include "engine/TSilentHost.h"
#include "engine/TStatementExpander.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <vector>

namespace Wrenfold {

namespace {

TAdoptionFiles MakeFiles(const QString& AFolder, const QString& ABaseName, const QStringList& AConfig,
                         const QStringList& ATemplate, const Tessel::TTextFormat& AFormat) {
    return {JoinPath(AFolder, ABaseName + ConfigExtension), JoinPath(AFolder, ABaseName + TemplateExtension),
            Tessel::EncodeTextLines(AConfig, AFormat), Tessel::EncodeTextLines(ATemplate, AFormat)};
}

// A dry run of make or batch on the adoption's files. Every output is compared with the file on
// disk; what differs, fails or is written where no project was expected becomes a problem.
class TAdoptionDryRun {
public:
    TAdoptionDryRun(const IProjectDisk& ADisk, const TAdoptionFiles& AFiles, bool AStableGuid)
        : FDisk(ADisk), FEngine(FHost, FDisk), FConfigFile(AFiles.ConfigFile) {
        FDisk.PutFile(AFiles.ConfigFile, AFiles.Config);
        FDisk.PutFile(AFiles.TemplateFile, AFiles.Template);
        // The GUID aside: a made-up (or the project's stable) GUID replaces the one it had.
        FDisk.CheckOutputs([this, AStableGuid] {
            QStringList guids = FEngine.RandomGuids();
            if (AStableGuid) guids.append(ProjectGuidText(FEngine.CurrentProjectName()));
            return guids;
        });
    }

    // Runs ABody (with the configuration opened) and returns the problems; AExpected are the
    // outputs it must write, and the only ones.
    QStringList Run(const std::function<void(TWrenfoldEngine&)>& ABody, const QStringList& AExpected) {
        // A failure leaves the command (make) or is reported to the host (batch): the first one tells.
        RunReportingFailure(
            [&] {
                FEngine.LoadProjectFile(FConfigFile);
                ABody(FEngine);
            },
            [&](const QString& AMessage) { FHost.Errors.append(AMessage); });
        if (!FHost.Errors.isEmpty()) return FHost.Errors.mid(0, 1);
        QStringList problems;
        for (const QString& written : FDisk.WrittenFiles())
            if (!AExpected.contains(written))
                problems.append(
                    QStringLiteral("It would write \"%1\", which is no project adopted").arg(written));
        for (const QString& expected : AExpected)
            if (!FDisk.WrittenFiles().contains(expected))
                problems.append(QStringLiteral("It would not write \"%1\"").arg(expected));
        for (const TDryRunDisk::TChangedOutput& output : FDisk.ChangedOutputs())
            problems.append(QStringLiteral("%1: not made again\n%2")
                                .arg(Tessel::FileNamePart(output.Path), output.Diff.trimmed()));
        return problems;
    }

private:
    TSilentHost FHost;
    TDryRunDisk FDisk;
    TWrenfoldEngine FEngine;
    QString FConfigFile;
};

} // namespace

TAdoption AdoptProjectFile(const IProjectDisk& ADisk, const QString& AProjectFile, bool AStableGuid) {
    const QString folder = Tessel::FileFolderPart(AProjectFile);
    const QString name = Tessel::FileBaseName(AProjectFile);
    Tessel::TTextFormat format;
    const QStringList lines = Tessel::DecodeTextLines(ADisk.ReadFile(AProjectFile), format, AProjectFile);
    const TAdoptedProject adopted =
        AdoptProject(lines, name, ProjectSourceName(ADisk.ListFiles(folder), name), AStableGuid);
    TAdoption result;
    result.Files =
        MakeFiles(folder, name, AdoptedConfiguration(name, adopted.ReplaceList), adopted.Template, format);
    result.Problems = TAdoptionDryRun(ADisk, result.Files, AStableGuid)
                          .Run([](TWrenfoldEngine& AEngine) { AEngine.MakeDproj(false); }, {AProjectFile});
    return result;
}

TAdoption AdoptFolder(const IProjectDisk& ADisk, const QString& AFolder, bool AStableGuid) {
    const QStringList files = ADisk.ListFiles(AFolder);
    TAdoption result;
    std::vector<TFolderProject> projects;
    QStringList skipped, expected;
    Tessel::TTextFormat format;
    for (const QString& source : BatchProjectFiles(files)) {
        const QString name = Tessel::FileBaseName(source);
        const QString projectFile = name + OutputExtension;
        if (!files.contains(projectFile)) {
            skipped.append(source);
            result.Notes.append(
                QStringLiteral("%1: no %2 beside it; left out of the batch").arg(source, projectFile));
            continue;
        }
        const QString path = JoinPath(AFolder, projectFile);
        Tessel::TTextFormat projectFormat;
        const QStringList lines = Tessel::DecodeTextLines(ADisk.ReadFile(path), projectFormat, path);
        if (projects.empty()) format = projectFormat;
        projects.push_back({name, projectFile, lines,
                            AdoptProject(lines, name, ProjectSourceName(files, name), AStableGuid)});
        expected.append(path);
    }
    for (const QString& file : files)
        if (Tessel::SameAsciiText(Tessel::FileExtension(file), OutputExtension) &&
            !expected.contains(JoinPath(AFolder, file)))
            result.Notes.append(
                QStringLiteral("%1: no program or package of that name; a batch does not make it").arg(file));
    if (projects.empty())
        throw Tessel::Exception(
            QStringLiteral("No Delphi project of \"%1\" has a .dproj file beside its .dpr or .dpk")
                .arg(AFolder));

    const TAdoptedFolder merged = MergeAdoptedProjects(projects);
    if (!merged.Differences.isEmpty()) {
        for (const QString& difference : merged.Differences)
            result.Problems.append(
                QStringLiteral("%1 (it differs in structure, not only in values)").arg(difference));
        return result;
    }
    result.Files =
        MakeFiles(AFolder, AllProjectsName,
                  AdoptedConfiguration(AllProjectsName, merged.ReplaceList, merged.ProjectEntries, skipped),
                  merged.Template, format);
    result.Problems = TAdoptionDryRun(ADisk, result.Files, AStableGuid)
                          .Run([](TWrenfoldEngine& AEngine) { AEngine.MakeBatchCommand(); }, expected);
    if (result.Problems.isEmpty())
        for (const TFolderProject& project : projects) {
            const bool own =
                std::any_of(merged.ProjectEntries.begin(), merged.ProjectEntries.end(),
                            [&](const auto& AEntries) { return AEntries.first == project.Name; });
            result.Notes.append(
                QStringLiteral("%1: made again by the shared template%2")
                    .arg(project.FileName, own ? QStringLiteral(" with values of its own") : QString()));
        }
    return result;
}

} // namespace Wrenfold
