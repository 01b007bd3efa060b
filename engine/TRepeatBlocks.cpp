#include "engine/TRepeatBlocks.h"

#include "engine/DollarScan.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestLibrary/Strings.h"

namespace Wrenfold {

namespace {

const QString EachKeyword = QStringLiteral("$EACH(");
const QString EndKeyword = QStringLiteral("$END");
const QString ItemKeyword = QStringLiteral("$E(");

[[noreturn]] void Fail(int AIndex, const QString& AWhat) {
    throw Tessel::Exception(QStringLiteral("Template line %1: %2").arg(AIndex + 1).arg(AWhat));
}

bool IsOfKind(const TRepeatItem& AItem, const QString& AKind) {
    return AKind == QLatin1String("*") || AItem.File.endsWith(AKind, Qt::CaseInsensitive);
}

// AText with each $E(...) replaced by the item's value.
QString ItemText(const QString& AText, const TRepeatItem& AItem, int AIndex) {
    QString out;
    qsizetype from = 0;
    for (qsizetype at = AText.indexOf(ItemKeyword); at >= 0; at = AText.indexOf(ItemKeyword, from)) {
        const qsizetype close = AText.indexOf(u')', at);
        if (close < 0) Fail(AIndex, QStringLiteral("$E( is not closed"));
        const QString name = AText.mid(at + ItemKeyword.size(), close - at - ItemKeyword.size());
        out += QStringView(AText).mid(from, at - from);
        if (name == QLatin1String("NAME"))
            out += AItem.Name;
        else if (name == QLatin1String("FILE"))
            out += AItem.File;
        else if (name == QLatin1String("PATH"))
            out += AItem.Path;
        else
            Fail(AIndex, QStringLiteral("unknown name \"%1\" in $E() (NAME, FILE or PATH)").arg(name));
        from = close + 1;
    }
    out += QStringView(AText).mid(from);
    return out;
}

// "$EACH(kind)" or "$EACH(kind,separator)" starting at AAt: the kind, the separator and where the
// text after the bracket starts.
struct TEachHead {
    QString Kind, Separator;
    qsizetype BodyStart = 0;
};

TEachHead ReadEachHead(const QString& ALine, qsizetype AAt, int AIndex) {
    const qsizetype open = AAt + EachKeyword.size();
    const qsizetype close = ALine.indexOf(u')', open);
    if (close < 0) Fail(AIndex, QStringLiteral("$EACH( is not closed"));
    const QString argument = ALine.mid(open, close - open);
    const qsizetype comma = argument.indexOf(u',');
    TEachHead head{Tessel::KestTrim(argument.left(comma)), comma < 0 ? QString() : argument.mid(comma + 1),
                   close + 1};
    if (head.Kind.isEmpty()) Fail(AIndex, QStringLiteral("$EACH() names no kind (\".dproj\", or \"*\")"));
    return head;
}

// The line with each $EACH(...)...$END within it repeated and joined.
QString ExpandInlineBlocks(const QString& ALine, const std::vector<TRepeatItem>& AItems, int AIndex) {
    QString out;
    qsizetype from = 0;
    for (qsizetype at = ALine.indexOf(EachKeyword); at >= 0; at = ALine.indexOf(EachKeyword, from)) {
        const TEachHead head = ReadEachHead(ALine, at, AIndex);
        const qsizetype end = ALine.indexOf(EndKeyword, head.BodyStart);
        if (end < 0) Fail(AIndex, QStringLiteral("$EACH( is not closed by $END"));
        const QString body = ALine.mid(head.BodyStart, end - head.BodyStart);
        if (body.contains(EachKeyword)) Fail(AIndex, QStringLiteral("$EACH( inside another"));
        out += QStringView(ALine).mid(from, at - from);
        bool first = true;
        for (const TRepeatItem& item : AItems) {
            if (!IsOfKind(item, head.Kind)) continue;
            if (!first) out += head.Separator;
            out += ItemText(body, item, AIndex);
            first = false;
        }
        from = end + EndKeyword.size();
    }
    const QString rest = ALine.mid(from);
    if (rest.contains(EndKeyword)) Fail(AIndex, QStringLiteral("$END outside an $EACH( block"));
    if (rest.contains(ItemKeyword)) Fail(AIndex, QStringLiteral("$E( outside an $EACH( block"));
    out += rest;
    return out;
}

} // namespace

bool HoldsRepeatBlocks(const QStringList& ALines) {
    // Templates are full of "$(" macros: the dollars are found eight characters at a time.
    for (const QString& line : ALines)
        if (IndexOfDollarWhere(line, 0, [&](qsizetype AAt) {
                return QStringView(line).sliced(AAt).startsWith(EachKeyword);
            }) >= 0)
            return true;
    return false;
}

QStringList ExpandRepeatBlocks(const QStringList& ALines, const std::vector<TRepeatItem>& AItems) {
    QStringList out;
    for (int i = 0; i < ALines.size(); ++i) {
        const QString trimmed = Tessel::KestTrim(ALines[i]);
        const bool opensBlock = trimmed.startsWith(EachKeyword) && trimmed.endsWith(u')') &&
                                ReadEachHead(trimmed, 0, i).BodyStart == trimmed.size();
        if (!opensBlock) {
            out.append(ExpandInlineBlocks(ALines[i], AItems, i));
            continue;
        }
        const QString kind = ReadEachHead(trimmed, 0, i).Kind;
        int end = i + 1;
        while (end < ALines.size() && Tessel::KestTrim(ALines[end]) != EndKeyword) {
            if (ALines[end].contains(EachKeyword) && !ALines[end].contains(EndKeyword))
                Fail(end, QStringLiteral("$EACH( inside another"));
            ++end;
        }
        if (end == ALines.size()) Fail(i, QStringLiteral("$EACH( is not closed by a line $END"));
        for (const TRepeatItem& item : AItems) {
            if (!IsOfKind(item, kind)) continue;
            for (int line = i + 1; line < end; ++line)
                out.append(ExpandInlineBlocks(ItemText(ALines[line], item, line), AItems, line));
        }
        i = end;
    }
    return out;
}

} // namespace Wrenfold
