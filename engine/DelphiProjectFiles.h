// The names of the files Wrenfold works with: which files of a folder are Delphi projects, the
// order a batch makes them in, a project's main source, and the extensions of its own files.
#pragma once

#include <QString>
#include <QStringList>

namespace Wrenfold {

// The shared configuration of a batch ("AllProjects.wfmconfig").
inline const QString AllProjectsName = QStringLiteral("AllProjects");
inline const QString ConfigExtension = QStringLiteral(".wfmconfig");
inline const QString TemplateExtension = QStringLiteral(".wfmInput");
inline const QString OutputExtension = QStringLiteral(".dproj");
inline const QString GroupProjectExtension = QStringLiteral(".groupproj");

bool IsAllProjects(const QString& AProjectName);

// True for a program (.dpr) or a package (.dpk) source, in any letter case.
bool IsProjectSource(const QString& AFileName);

// The batch list of a folder's file names: its programs and packages, sorted by name without
// regard to case. A project that has both a .dpr and a .dpk (names compared without regard to
// case) is listed once, as its .dpr.
QStringList BatchProjectFiles(const QStringList& AFolderFiles);

// A project's main source among a folder's file names, as its letters stand there: the package
// Name.dpk when the folder holds one and no program Name.dpr, else the program (Name.dpr when the
// folder holds neither).
QString ProjectSourceName(const QStringList& AFolderFiles, const QString& AProjectName);

// A template name as InputName gives it: ".wfmInput" is appended when it has no extension.
QString WithTemplateExtension(const QString& AInputName);

// True when one of the names is the batch entry AEntry ("App.dpr"), in any letter case: its file
// name, its project name, or the project name with the other source extension (a project with a
// .dpr and a .dpk is listed by its .dpr).
bool NamesProject(const QStringList& ANames, const QString& AEntry);

// The project names of a list such as "--only" or "Skip=" take: separated by commas, blanks
// around each trimmed, empty ones dropped.
QStringList ProjectNameList(const QString& AList);

// The section that gives one project of a batch its own replace entries: "Replace:Name".
QString ProjectReplaceSection(const QString& AProjectName);

} // namespace Wrenfold
