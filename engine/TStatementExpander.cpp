#include "engine/TStatementExpander.h"

#include "engine/DelphiProjectFiles.h"
#include "engine/DollarScan.h"
#include "engine/ExpansionLimits.h"
#include "engine/IProjectDisk.h"
#include "engine/PathRules.h"
#include "engine/TExpansionTrail.h"
#include "engine/TReplaceIndex.h"
#include "engine/TTextDocument.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QUuid>

namespace Wrenfold {

namespace {

enum TStatementKind { skGet, skReplace, skInclude };

struct TStatement {
    QString Keyword; // with its opening bracket, upper case
    QString Name;    // as messages show it
};

const TStatement& StatementOf(int AKind) {
    static const TStatement statements[] = {{QStringLiteral("$GET("), QStringLiteral("$GET")},
                                            {QStringLiteral("$REPLACE("), QStringLiteral("$REPLACE")},
                                            {QStringLiteral("$INCLUDE("), QStringLiteral("$INCLUDE")}};
    return statements[AKind];
}

// Position (0-based) of the first occurrence of the upper-case keyword ("$" first), the letters
// a to z of the line compared without regard to case, or -1.
qsizetype IndexOfKeyword(const QString& ALine, const QString& AKeyword) {
    const qsizetype last = ALine.size() - AKeyword.size();
    return IndexOfDollarWhere(ALine, 0, [&](qsizetype AAt) {
        if (AAt > last) return false;
        for (qsizetype i = 1; i < AKeyword.size(); ++i)
            if (Tessel::AsciiUpperCase(ALine[AAt + i]) != AKeyword[i]) return false;
        return true;
    });
}

// False when no statement can start in the line: no "$" is followed by the first letter of one.
// Spares most lines the search for each statement in turn.
bool MayHoldStatement(const QString& ALine) {
    return IndexOfDollarWhere(ALine, 0, [&](qsizetype AAt) {
               if (AAt + 1 >= ALine.size()) return false;
               const QChar letter = Tessel::AsciiUpperCase(ALine[AAt + 1]);
               return letter == u'G' || letter == u'R' || letter == u'I';
           }) >= 0;
}

// The start of a line too long to show whole.
QString LineStart(const QString& ALine) {
    constexpr qsizetype Shown = 60;
    return ALine.size() <= Shown ? ALine : ALine.left(Shown) + QStringLiteral("...");
}

} // namespace

TStatementExpander::TStatementExpander(const QString& AProjectName, const QString& ADirectory,
                                       const TTextDocument& AReplaceList, const IProjectDisk& ADisk,
                                       TLogSink ALog, QStringList* ARandomGuids)
    : FProjectName(AProjectName), FDirectory(ADirectory), FReplaceList(AReplaceList), FDisk(ADisk),
      FLog(std::move(ALog)), FRandomGuids(ARandomGuids) {}

QString ProjectGuidText(const QString& AProjectName) {
    // Wrenfold's own namespace for project GUIDs; changing it changes every project's GUID.
    static const QUuid Namespace(QStringLiteral("{84CB1974-578A-4877-ADAE-21119BE0E0AD}"));
    return QUuid::createUuidV5(Namespace, AProjectName.toUpper().toUtf8())
        .toString(QUuid::WithBraces)
        .toUpper();
}

bool TStatementExpander::ExpandStatementOfKind(int AKind, QString& ALine, TExpansionTrail& ATrail) {
    const TStatement& statement = StatementOf(AKind);
    const qsizetype p = IndexOfKeyword(ALine, statement.Keyword);
    if (p < 0) return false;
    const int argumentStart = int(p + statement.Keyword.size()) + 1; // 1-based
    const int close = FindClosingBracket(ALine, argumentStart);
    if (close == 0)
        throw Tessel::Exception(
            QStringLiteral("Unterminated %1() statement on line \"%2\"").arg(statement.Name, ALine));
    const QString argument = ALine.mid(argumentStart - 1, close - argumentStart);
    const QString original = ALine.mid(p, close - p);
    ALine.remove(p, close - p);

    QString shownArgument = argument;
    QString key;
    QString value;
    switch (AKind) {
    case skGet: {
        const QString function = Tessel::AsciiUpperCase(argument);
        if (function == QLatin1String("RANDOMGUID")) {
            value = Tessel::NewGuidText();
            if (FRandomGuids) FRandomGuids->append(value);
        } else if (function == QLatin1String("PROJECTNAME")) {
            value = FProjectName;
        } else if (function == QLatin1String("PROJECTGUID")) {
            value = ProjectGuidText(FProjectName);
        } else if (function == QLatin1String("PROJECTSOURCE")) {
            QStringList files;
            if (!FProjectName.isEmpty() && !FSourceFolder.isEmpty()) {
                // An output's folder may not be made yet.
                try {
                    files = FDisk.ListFiles(FSourceFolder);
                } catch (const Tessel::Exception&) {
                }
            } else if (!FProjectName.isEmpty() && !FDirectory.isEmpty()) {
                files = FDisk.ListFiles(FDirectory);
            }
            value = FProjectName.isEmpty() ? QString() : ProjectSourceName(files, FProjectName);
        } else if (function == QLatin1String("TARGET")) {
            value = FTarget;
        } else {
            throw Tessel::Exception(
                QStringLiteral("Unknown function name \"%1\" in %2() statement on line \"%3\" "
                               "(RANDOMGUID, PROJECTNAME, PROJECTGUID, PROJECTSOURCE or TARGET)")
                    .arg(argument, statement.Name, ALine));
        }
        key = statement.Keyword + function + u')';
        break;
    }
    case skReplace:
        value = TReplaceIndex::ValueIn(FReplaceList.Lines(), argument);
        if (value.isEmpty())
            throw Tessel::Exception(QStringLiteral("Unknown name \"%1\" in %2() statement on line \"%3\"")
                                        .arg(argument, statement.Name, ALine));
        key = statement.Name + u'(' + argument + u')';
        break;
    case skInclude: {
        shownArgument = ResolvePathAgainst(argument, FDirectory);
        if (!FDisk.IsExistingFile(shownArgument))
            throw Tessel::Exception(QStringLiteral("File not found \"%1\" in %2() statement on line \"%3\"")
                                        .arg(shownArgument, statement.Name, ALine));
        key = statement.Name + u'(' + shownArgument + u')';
        // Read as a text file: a byte-order mark selects the encoding and is dropped; line breaks
        // stay as they are (the output file writes them as CR LF).
        Tessel::TTextEncoding encoding;
        value = Tessel::DecodeText(FDisk.ReadFile(shownArgument), encoding, shownArgument);
        break;
    }
    }
    // Names compare without regard to case, as the lookup does; paths exactly.
    if (ATrail.Produced(p, close - p, key, AKind == skInclude ? Qt::CaseSensitive : Qt::CaseInsensitive)) {
        QStringList chain = ATrail.ChainAt(p, close - p);
        chain.append(key);
        ALine.insert(p, original);
        throw Tessel::Exception(QStringLiteral("Statement %1 leads back to itself (%2) on line \"%3\"")
                                    .arg(original, chain.join(QStringLiteral(" -> ")), ALine));
    }
    ALine.insert(p, value);
    ATrail.Replace(p, close - p, value.size(), key);
    FLog(QStringLiteral("Replaced %1(%2) with \"%3\"").arg(statement.Name, shownArgument, value));
    return true;
}

bool TStatementExpander::ExpandGetStatement(QString& ALine, TExpansionTrail& ATrail) {
    return ExpandStatementOfKind(skGet, ALine, ATrail);
}

bool TStatementExpander::ExpandReplaceStatement(QString& ALine, TExpansionTrail& ATrail) {
    return ExpandStatementOfKind(skReplace, ALine, ATrail);
}

bool TStatementExpander::ExpandIncludeStatement(QString& ALine, TExpansionTrail& ATrail) {
    return ExpandStatementOfKind(skInclude, ALine, ATrail);
}

void TStatementExpander::ExpandStatements(QString& ALine) {
    TExpansionTrail trail;
    for (int expanded = 1; MayHoldStatement(ALine) &&
                           (ExpandGetStatement(ALine, trail) || ExpandReplaceStatement(ALine, trail) ||
                            ExpandIncludeStatement(ALine, trail));
         ++expanded) {
        // A value may double at every level: stop before the line outgrows memory or time.
        if (ALine.size() > MaxLineUnits)
            throw Tessel::Exception(QStringLiteral("Line \"%1\" grows past %2 MiB expanding its statements")
                                        .arg(LineStart(ALine))
                                        .arg(MaxLineUnits * 2 / (1024 * 1024)));
        if (expanded > MaxStatementsPerLine)
            throw Tessel::Exception(QStringLiteral("Line \"%1\" expands more than %2 statements")
                                        .arg(LineStart(ALine))
                                        .arg(MaxStatementsPerLine));
    }
}

void TStatementExpander::ExpandListStatements(QStringList& AList) {
    for (QString& line : AList)
        ExpandStatements(line);
}

void TStatementExpander::ExpandListStatements(TTextDocument& AList) {
    const TUpdateBracket bracket(AList);
    for (int i = 0; i < AList.Count(); ++i) {
        QString line = AList.Line(i);
        ExpandStatements(line);
        AList.SetLine(i, line);
    }
}

} // namespace Wrenfold
