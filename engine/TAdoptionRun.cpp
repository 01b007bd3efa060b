#include "engine/TAdoptionRun.h"

#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/PathRules.h"
#include "engine/TDryRunDisk.h"
#include "engine/TProjectAdoption.h"
#include "engine/TSilentHost.h"
#include "engine/TStatementExpander.h"
#include "engine/TVersionTreeAdoption.h"
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
    return {
        JoinPath(AFolder, ABaseName + ConfigExtension),
        Tessel::EncodeTextLines(AConfig, AFormat),
        {{JoinPath(AFolder, ABaseName + TemplateExtension), Tessel::EncodeTextLines(ATemplate, AFormat)}}};
}

// A dry run of make or batch on the adoption's files. Every output is compared with the file on
// disk; what differs, fails or is written where no project was expected becomes a problem.
class TAdoptionDryRun {
public:
    TAdoptionDryRun(const IProjectDisk& ADisk, const TAdoptionFiles& AFiles, bool AStableGuid)
        : FReal(ADisk), FDisk(ADisk), FEngine(FHost, FDisk), FConfigFile(AFiles.ConfigFile) {
        FDisk.PutFile(AFiles.ConfigFile, AFiles.Config);
        for (const auto& [path, bytes] : AFiles.Templates)
            FDisk.PutFile(path, bytes);
        // The GUID aside: a made-up (or the project's stable) GUID replaces the one it had.
        FDisk.CheckOutputs([this, AStableGuid] {
            QStringList guids = FEngine.RandomGuids();
            if (AStableGuid) guids.append(ProjectGuidText(FEngine.CurrentProjectName()));
            return guids;
        });
    }

    // Runs ABody (with the configuration opened) and returns the problems; AExpected are the
    // outputs it must write, and the only ones. AShown names an output that would change (by
    // default its file name and the diff).
    QStringList Run(const std::function<void(TWrenfoldEngine&)>& ABody, const QStringList& AExpected,
                    const std::function<QString(const TDryRunDisk::TChangedOutput&)>& AShown = {}) {
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
        for (const QString& expected : AExpected) {
            const qsizetype times = FDisk.WrittenFiles().count(expected);
            if (times == 0) problems.append(QStringLiteral("It would not write \"%1\"").arg(expected));
            if (times > 1)
                problems.append(QStringLiteral("It would write \"%1\" %2 times").arg(expected).arg(times));
        }
        for (const TDryRunDisk::TChangedOutput& output : FDisk.ChangedOutputs())
            problems.append(AShown ? AShown(output)
                                   : QStringLiteral("%1: not made again\n%2")
                                         .arg(Tessel::FileNamePart(output.Path), output.Diff.trimmed()));
        return problems;
    }

    // Where the output at APath, as the run made it, first differs from the file on the real disk:
    // "line N: ..." (the line made and the line the file has), or how the two are encoded.
    QString FirstDifference(const QString& APath) const {
        Tessel::TTextFormat madeFormat, fileFormat;
        const QStringList made = Tessel::DecodeTextLines(FDisk.ReadFile(APath), madeFormat, APath);
        const QStringList file = Tessel::DecodeTextLines(FReal.ReadFile(APath), fileFormat, APath);
        for (qsizetype i = 0; i < std::max(made.size(), file.size()); ++i) {
            if (i < made.size() && i < file.size() && made[i] == file[i]) continue;
            if (i >= made.size())
                return QStringLiteral("line %1: made without it, the file has \"%2\"")
                    .arg(i + 1)
                    .arg(file[i]);
            if (i >= file.size())
                return QStringLiteral("line %1: made as \"%2\", where the file has ended")
                    .arg(i + 1)
                    .arg(made[i]);
            return QStringLiteral("line %1: made as \"%2\", where the file has \"%3\"")
                .arg(i + 1)
                .arg(made[i], file[i]);
        }
        return QStringLiteral("the same lines, made as %1 where the file is %2")
            .arg(Tessel::EncodingName(madeFormat.Encoding), Tessel::EncodingName(fileFormat.Encoding));
    }

private:
    const IProjectDisk& FReal;
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

TAdoption AdoptVersionTree(const IProjectDisk& ADisk, const QString& AFolder) {
    // The files of a version folder that belong to the tree, and those beside the version folders.
    const auto inVersionFolder = [](const QString& AName) {
        const QString extension = Tessel::FileExtension(AName);
        return IsProjectSource(AName) || Tessel::SameAsciiText(extension, OutputExtension) ||
               Tessel::SameAsciiText(extension, GroupProjectExtension);
    };
    const auto byName = [](QStringList AList) {
        std::sort(AList.begin(), AList.end(), [](const QString& A, const QString& B) {
            const int order = A.compare(B, Qt::CaseInsensitive);
            return order != 0 ? order < 0 : A < B;
        });
        return AList;
    };
    TAdoption result;
    QStringList versions;
    std::vector<TTreeFile> files;
    for (const QString& folder : byName(ADisk.ListFolders(AFolder))) {
        QStringList names;
        for (const QString& name : byName(ADisk.ListFiles(JoinPath(AFolder, folder))))
            if (inVersionFolder(name)) names.append(name);
        if (names.isEmpty()) {
            result.Notes.append(
                QStringLiteral("%1: no .dpk, .dpr, .dproj or .groupproj in it; no version folder")
                    .arg(folder));
            continue;
        }
        versions.append(folder);
        for (const QString& name : names)
            files.push_back({folder + u'/' + name, folder, {}, {}});
    }
    if (versions.isEmpty())
        throw Tessel::Exception(
            QStringLiteral("No folder of \"%1\" holds a .dpk, .dpr, .dproj or .groupproj file").arg(AFolder));
    for (const QString& name : byName(ADisk.ListFiles(AFolder))) {
        if (!Tessel::SameAsciiText(Tessel::FileExtension(name), GroupProjectExtension)) continue;
        if (const QString version = VersionInFileName(name, versions); !version.isEmpty())
            files.push_back({name, version, {}, {}});
        else
            result.Notes.append(
                QStringLiteral("%1: its name holds no version folder's name; left out").arg(name));
    }
    QStringList expected;
    for (TTreeFile& file : files) {
        const QString path = JoinPath(AFolder, file.Path);
        file.Lines = Tessel::DecodeTextLines(ADisk.ReadFile(path), file.Format, path);
        expected.append(path);
    }

    const TAdoptedTree tree = AdoptVersionTree(versions, files);
    if (!tree.Problems.isEmpty()) {
        result.Problems = tree.Problems;
        return result;
    }
    // The configuration in UTF-8 (it may hold the values of files in any encoding), with the line
    // breaks of the tree's first file.
    const Tessel::TTextFormat configFormat{Tessel::TTextEncoding::Utf8, files.front().Format.LineBreak};
    result.Files.ConfigFile = JoinPath(AFolder, Tessel::FileNamePart(AFolder) + ConfigExtension);
    result.Files.Config = Tessel::EncodeTextLines(tree.Config, configFormat);
    for (const TAdoptedTemplate& adopted : tree.Templates)
        result.Files.Templates.emplace_back(JoinPath(AFolder, adopted.FileName),
                                            Tessel::EncodeTextLines(adopted.Lines, adopted.Format));
    TAdoptionDryRun dryRun(ADisk, result.Files, false);
    const auto relative = [&](const QString& APath) { return APath.mid(AFolder.size() + 1); };
    result.Problems = dryRun.Run([](TWrenfoldEngine& AEngine) { AEngine.MakeDproj(false); }, expected,
                                 [&](const TDryRunDisk::TChangedOutput& AOutput) {
                                     return AOutput.Missing
                                                ? QStringLiteral("%1: not made").arg(relative(AOutput.Path))
                                                : relative(AOutput.Path) + QStringLiteral(", ") +
                                                      dryRun.FirstDifference(AOutput.Path);
                                 });
    if (result.Problems.isEmpty())
        for (const TAdoptedTemplate& adopted : tree.Templates)
            result.Notes.append(QStringLiteral("%1: makes %2")
                                    .arg(adopted.FileName, adopted.Outputs.join(QStringLiteral(", "))));
    return result;
}

} // namespace Wrenfold
