// Statement expansion ($GET(, $REPLACE(, $INCLUDE() of a project configuration: it ends within the
// engine's bounds or with the engine's error, leaves no statement behind, and gives what expanding
// one statement at a time from the start of the line gives.
//
// The input is a configuration: [Replace] is the replace list, [PreActions] and [PostActions] the
// action lines, and each "name=text" line of [Files] a file of the project folder (tags decoded).
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/ExpansionLimits.h"
#include "engine/PathRules.h"
#include "engine/TStatementExpander.h"
#include "engine/TTextDocument.h"

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestIniFiles.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"

#include <QRegularExpression>

using namespace Wrenfold;
using namespace WrenfoldFuzz;

namespace {

const QString ProjectName = QStringLiteral("Fuzz");
const QString Directory = QStringLiteral("/p");

QString AsciiUpper(const QString& AText) {
    QString result = AText;
    for (QChar& c : result)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return result;
}

// The first occurrence of the keyword (upper case, "(" included), its letters compared as ASCII
// letters without regard to case; -1 when there is none.
qsizetype FindKeyword(const QString& ALine, const QString& AKeyword) {
    for (qsizetype p = 0; p + AKeyword.size() <= ALine.size(); ++p) {
        qsizetype i = 0;
        for (; i < AKeyword.size(); ++i) {
            const char16_t c = ALine[p + i].unicode();
            if ((c >= u'a' && c <= u'z' ? c - 32 : c) != AKeyword[i].unicode()) break;
        }
        if (i == AKeyword.size()) return p;
    }
    return -1;
}

const QString Keywords[] = {QStringLiteral("$GET("), QStringLiteral("$REPLACE("),
                            QStringLiteral("$INCLUDE(")};

// Expands one statement at a time, the first $GET( of the line, else the first $REPLACE(, else the
// first $INCLUDE(, until none is left, at most ASteps of them.
TReferenceEnd ReferenceExpand(QString& ALine, const QStringList& AReplaceList, const TMemoryDisk& ADisk,
                              int ASteps) {
    for (int step = 0;; ++step) {
        int kind = 0;
        qsizetype p = -1;
        for (; kind < 3 && p < 0; ++kind)
            p = FindKeyword(ALine, Keywords[kind]);
        if (p < 0) return TReferenceEnd::Done;
        --kind;
        if (step == ASteps || ALine.size() > 100000) return TReferenceEnd::Undecided;
        const qsizetype argumentStart = p + Keywords[kind].size();
        const qsizetype close = ClosingBracket(ALine, argumentStart);
        if (close < 0) return TReferenceEnd::Failed;
        const QString argument = ALine.mid(argumentStart, close - argumentStart);
        QString value;
        if (kind == 0) {
            if (AsciiUpper(argument) == QLatin1String("PROJECTNAME"))
                value = ProjectName;
            else if (AsciiUpper(argument) == QLatin1String("PROJECTGUID"))
                value = ProjectGuidText(ProjectName);
            else if (AsciiUpper(argument) == QLatin1String("PROJECTSOURCE"))
                value = ProjectName + QStringLiteral(".dpr"); // the fuzz disk's folder holds no source
            else if (AsciiUpper(argument) == QLatin1String("TARGET"))
                value = QString(); // the expander is given no target
            else if (AsciiUpper(argument) == QLatin1String("RANDOMGUID"))
                value = QStringLiteral("{guid}");
            else
                return TReferenceEnd::Failed;
        } else if (kind == 1) {
            value = ReplaceValue(AReplaceList, argument);
            if (value.isEmpty()) return TReferenceEnd::Failed;
        } else {
            const QString path = ResolvePathAgainst(argument, Directory);
            if (!ADisk.IsExistingFile(path)) return TReferenceEnd::Failed;
            Tessel::TTextEncoding encoding;
            try {
                value = Tessel::DecodeText(ADisk.ReadFile(path), encoding);
            } catch (const Tessel::Exception&) {
                return TReferenceEnd::Failed;
            }
        }
        ALine.replace(p, close + 1 - p, value);
    }
}

// The text with every GUID written as "{guid}": each $GET(RANDOMGUID) makes a new one.
QString WithoutGuids(QString AText) {
    static const QRegularExpression guid(
        QStringLiteral("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}"),
        QRegularExpression::CaseInsensitiveOption);
    return AText.replace(guid, QStringLiteral("{guid}"));
}

bool HoldsStatement(const QString& ALine) {
    for (const QString& keyword : Keywords)
        if (FindKeyword(ALine, keyword) >= 0) return true;
    return false;
}

// Expands one line as the engine does, then holds the result against the reference. False when the
// engine ended with its error (a run stops there).
bool ExpandAndCheck(TStatementExpander& AExpander, QString& ALine, const QStringList& AReplaceList,
                    const TMemoryDisk& ADisk, int& ALogged) {
    const QString original = ALine;
    ALogged = 0;
    QString reference = original;
    try {
        AExpander.ExpandStatements(ALine);
    } catch (const Tessel::Exception& E) {
        const QString message = E.Message();
        const QString shown =
            QStringLiteral("\"%1\" expands to \"%2\" one at a time, but the engine says: %3");
        // A value that leads back to its own statement never ends; any other error stops the
        // engine at the statement where expanding one at a time fails too.
        if (message.contains(QLatin1String("leads back to itself")))
            FUZZ_CHECK(ReferenceExpand(reference, AReplaceList, ADisk, 500) != TReferenceEnd::Done,
                       shown.arg(original, reference, message));
        else if (!message.contains(QLatin1String("grows past")) &&
                 !message.contains(QLatin1String("expands more than")))
            FUZZ_CHECK(ReferenceExpand(reference, AReplaceList, ADisk, ALogged + 1) == TReferenceEnd::Failed,
                       shown.arg(original, reference, message));
        return false;
    }
    FUZZ_CHECK(!HoldsStatement(ALine),
               QStringLiteral("\"%1\" left a statement in \"%2\"").arg(original, ALine));
    FUZZ_CHECK(ALine.size() <= MaxLineUnits, QStringLiteral("\"%1\" grew past the line limit").arg(original));
    FUZZ_CHECK(ALogged <= MaxStatementsPerLine,
               QStringLiteral("\"%1\" expanded %2 statements").arg(original).arg(ALogged));
    const TReferenceEnd end = ReferenceExpand(reference, AReplaceList, ADisk, ALogged);
    FUZZ_CHECK(end == TReferenceEnd::Done && WithoutGuids(reference) == WithoutGuids(ALine),
               QStringLiteral("\"%1\" expanded to \"%2\", one at a time to \"%3\" (%4)")
                   .arg(original, ALine, reference)
                   .arg(int(end)));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString text;
    if (!TextOf(BytesOf(AData, ASize), text)) return 0;
    Tessel::TLineBreakStyle style;
    Tessel::TKestMemIniFile ini(QString(), false);
    ini.SetStrings(Tessel::SplitTextLines(text, style));

    TMemoryDisk disk;
    QStringList files;
    ini.ReadSectionValues(QStringLiteral("Files"), files);
    for (const QString& line : std::as_const(files)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) continue;
        QString content = line.mid(equals + 1);
        try {
            content = Tessel::NonPrintingTagsToString(content);
        } catch (const Tessel::EKestLibrary&) {
        }
        disk.Files.emplace(ResolvePathAgainst(line.left(equals), Directory), content.toUtf8());
    }

    TTextDocument replaceList;
    QStringList lines;
    ini.ReadSectionValues(QStringLiteral("Replace"), lines);
    replaceList.SetLines(lines);
    int logged = 0;
    TStatementExpander expander(ProjectName, Directory, replaceList, disk, [&](const QString&) { ++logged; });
    // The replace list first, each line seeing those above it expanded, then the actions.
    for (int i = 0; i < replaceList.Count(); ++i) {
        QString line = replaceList.Line(i);
        const QStringList listNow = replaceList.Lines();
        if (!ExpandAndCheck(expander, line, listNow, disk, logged)) return 0;
        replaceList.SetLine(i, line);
    }
    for (const QString& section : {QStringLiteral("PreActions"), QStringLiteral("PostActions")}) {
        ini.ReadSectionValues(section, lines);
        for (QString& line : lines)
            if (!ExpandAndCheck(expander, line, replaceList.Lines(), disk, logged)) return 0;
    }
    return 0;
}
