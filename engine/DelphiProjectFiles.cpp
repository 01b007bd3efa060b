#include "engine/DelphiProjectFiles.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>

namespace Wrenfold {

namespace {

const QString ProgramExtension = QStringLiteral(".dpr");
const QString PackageExtension = QStringLiteral(".dpk");

bool HasExtension(const QString& AFileName, const QString& AExtension) {
    return Tessel::SameAsciiText(Tessel::FileExtension(AFileName), AExtension);
}

// The file of the folder named AProjectName + AExtension, in either letter case; empty if none.
QString FindSource(const QStringList& AFolderFiles, const QString& AProjectName, const QString& AExtension) {
    for (const QString& name : AFolderFiles)
        if (HasExtension(name, AExtension) &&
            Tessel::FileBaseName(name).compare(AProjectName, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

} // namespace

bool IsAllProjects(const QString& AProjectName) {
    return Tessel::SameAsciiText(AProjectName, AllProjectsName);
}

bool IsProjectSource(const QString& AFileName) {
    return HasExtension(AFileName, ProgramExtension) || HasExtension(AFileName, PackageExtension);
}

QStringList BatchProjectFiles(const QStringList& AFolderFiles) {
    QStringList projects;
    for (const QString& name : AFolderFiles)
        if (HasExtension(name, ProgramExtension) ||
            (HasExtension(name, PackageExtension) &&
             FindSource(AFolderFiles, Tessel::FileBaseName(name), ProgramExtension).isEmpty()))
            projects.append(name);
    // Listings have no order of their own here; sort by name without regard to case.
    std::sort(projects.begin(), projects.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return projects;
}

QString ProjectSourceName(const QStringList& AFolderFiles, const QString& AProjectName) {
    if (const QString program = FindSource(AFolderFiles, AProjectName, ProgramExtension); !program.isEmpty())
        return program;
    if (const QString package = FindSource(AFolderFiles, AProjectName, PackageExtension); !package.isEmpty())
        return package;
    return AProjectName + ProgramExtension;
}

QString WithTemplateExtension(const QString& AInputName) {
    return Tessel::FileNamePart(AInputName).contains(u'.') ? AInputName : AInputName + TemplateExtension;
}

bool NamesProject(const QStringList& ANames, const QString& AEntry) {
    const QString project = Tessel::FileBaseName(AEntry);
    return std::any_of(ANames.begin(), ANames.end(), [&](const QString& AName) {
        return AName.compare(project, Qt::CaseInsensitive) == 0 ||
               (IsProjectSource(AName) &&
                Tessel::FileBaseName(AName).compare(project, Qt::CaseInsensitive) == 0);
    });
}

QStringList ProjectNameList(const QString& AList) {
    QStringList names;
    for (const QString& part : AList.split(u','))
        if (const QString name = Tessel::KestTrim(part); !name.isEmpty()) names.append(name);
    return names;
}

QString ProjectReplaceSection(const QString& AProjectName) {
    return QStringLiteral("Replace:") + AProjectName;
}

} // namespace Wrenfold
