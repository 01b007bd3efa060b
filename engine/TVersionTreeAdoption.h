// Turning a tree of per-version package files (XE2/CoreLib.dpk, XE3/CoreLib.dpk, ...) into one
// configuration with a target per version and one template per distinct file.
#pragma once

#include "Tessel/Rtl/TextFile.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Wrenfold {

// One file of the tree as read: its path relative to the tree's folder ("XE2/CoreLib.dproj",
// "LibGroupXE2.groupproj"), the version it belongs to (the name of its version folder), its lines
// and its format.
struct TTreeFile {
    QString Path;
    QString Version;
    QStringList Lines;
    Tessel::TTextFormat Format;
};

struct TAdoptedTemplate {
    QString FileName; // "CoreLib.dproj.wfmInput", in the tree's folder
    QStringList Lines;
    Tessel::TTextFormat Format;
    QStringList Outputs; // the tree's files it makes, relative paths
};

struct TAdoptedTree {
    QStringList Config; // the configuration's lines
    std::vector<TAdoptedTemplate> Templates;
    // Why no template can make the files: the first difference of each file that differs in more
    // than values. Empty when the configuration and templates are usable.
    QStringList Problems;
};

// The name of the per-target value that holds the version folder's name.
inline const QString FolderMarkerName = QStringLiteral("Folder");

// The version among AVersions whose name stands in AFileName (a file name without its folder) as
// a word of its own, the longest of them; empty when none does.
QString VersionInFileName(const QString& AFileName, const QStringList& AVersions);

// The configuration and templates for the tree: one target per version (in AVersions' order) with
// Folder= its folder's name, one output per distinct file. The files of the versions are compared
// line by line and each line token by token: where they differ a marker stands, named after the
// element, attribute or directive around it, and each target gives its value. Spans that have
// the same value in every version share a marker; a span equal to the version folder's name is
// $P(Folder). A file missing from some versions has a path of its own per target, empty where it
// is missing.
TAdoptedTree AdoptVersionTree(const QStringList& AVersions, const std::vector<TTreeFile>& AFiles);

} // namespace Wrenfold
