// The statements $GET(, $REPLACE( and $INCLUDE( in replace-list and action lines.
#pragma once

#include "engine/TLogSink.h"

#include <QString>
#include <QStringList>

namespace Wrenfold {

class IProjectDisk;
class TExpansionTrail;
class TTextDocument;

// Expands statements for one project: its name for $GET(PROJECTNAME), its folder for relative
// $INCLUDE( paths, and the replace list that $REPLACE( reads in its state at each lookup.
class TStatementExpander {
public:
    // The GUIDs that $GET(RANDOMGUID) makes up are added to ARandomGuids when given.
    TStatementExpander(const QString& AProjectName, const QString& ADirectory,
                       const TTextDocument& AReplaceList, const IProjectDisk& ADisk, TLogSink ALog,
                       QStringList* ARandomGuids = nullptr);

    // $GET(TARGET): the target the outputs are made for (empty: none).
    void SetTarget(const QString& ATarget) { FTarget = ATarget; }
    // Where $GET(PROJECTSOURCE) looks for the project's main source, when not in ADirectory.
    void SetSourceFolder(const QString& AFolder) { FSourceFolder = AFolder; }

    // Expands every line, top to bottom, writing each back in place.
    void ExpandListStatements(QStringList& AList);
    void ExpandListStatements(TTextDocument& AList);
    // Expands until no statement is left: a $GET( first, then a $REPLACE(, then an $INCLUDE(.
    void ExpandStatements(QString& ALine);
    // Each expands the first statement of its kind and reports true, or reports false when the
    // line holds none. The trail catches a value that leads back to its own statement.
    bool ExpandGetStatement(QString& ALine, TExpansionTrail& ATrail);
    bool ExpandReplaceStatement(QString& ALine, TExpansionTrail& ATrail);
    bool ExpandIncludeStatement(QString& ALine, TExpansionTrail& ATrail);

private:
    bool ExpandStatementOfKind(int AKind, QString& ALine, TExpansionTrail& ATrail);

    QString FProjectName;
    QString FDirectory;
    QString FTarget;
    QString FSourceFolder;
    const TTextDocument& FReplaceList;
    const IProjectDisk& FDisk;
    TLogSink FLog;
    QStringList* FRandomGuids;
};

// The project's own GUID for $GET(PROJECTGUID): a name-based UUID (version 5) over the name in
// upper case, so the same project gets the same GUID everywhere, braced and in upper case.
QString ProjectGuidText(const QString& AProjectName);

} // namespace Wrenfold
