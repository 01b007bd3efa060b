#include "engine/TVersionTreeAdoption.h"

#include "engine/DelphiProjectFiles.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QSet>

#include <map>
#include <optional>

namespace Wrenfold {

namespace {

// The key a version folder's name has where it stands in a line or a path.
const QString FolderKey = QStringLiteral("\x01");
const QString FolderMarker = QStringLiteral("$P(") + FolderMarkerName + u')';

// A common subsequence is searched for in at most this many cells (after the common start and end
// are set aside); beyond it only the common start and end are matched.
constexpr qsizetype MaxCommonSubsequenceCells = qsizetype(4) << 20;

bool IsWordChar(QChar AChar) {
    return AChar == u'_' || Tessel::IsDigitChar(AChar) || Tessel::IsLetterChar(AChar);
}

// Whether a word may end between the two characters: at anything that is no letter, digit or
// underscore, between a letter and a digit, and where a small letter meets a capital ("LibXE2").
bool IsWordBoundary(QChar ABefore, QChar AAfter) {
    if (!IsWordChar(ABefore) || !IsWordChar(AAfter) || ABefore == u'_' || AAfter == u'_') return true;
    if (Tessel::IsDigitChar(ABefore) != Tessel::IsDigitChar(AAfter)) return true;
    return ABefore.isLower() && AAfter.isUpper();
}

// The positions where AName stands in AText as a word of its own.
QList<qsizetype> WordPositions(const QString& AText, const QString& AName) {
    QList<qsizetype> positions;
    if (AName.isEmpty()) return positions;
    for (qsizetype at = AText.indexOf(AName); at >= 0; at = AText.indexOf(AName, at + 1)) {
        const qsizetype end = at + AName.size();
        if ((at == 0 || IsWordBoundary(AText[at - 1], AText[at])) &&
            (end == AText.size() || IsWordBoundary(AText[end - 1], AText[end]))) {
            positions.append(at);
            at = end - 1;
        }
    }
    return positions;
}

// AText with each word-of-its-own AName replaced by AReplacement.
QString ReplaceWord(const QString& AText, const QString& AName, const QString& AReplacement) {
    QString result = AText;
    const QList<qsizetype> positions = WordPositions(AText, AName);
    for (qsizetype i = positions.size() - 1; i >= 0; --i)
        result.replace(positions[i], AName.size(), AReplacement);
    return result;
}

bool IsGuidAt(const QString& AText, qsizetype AAt) {
    if (AAt + 38 > AText.size() || AText[AAt] != u'{' || AText[AAt + 37] != u'}') return false;
    for (qsizetype i = 1; i < 37; ++i) {
        const QChar c = AText[AAt + i];
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        if (hyphen ? c != u'-' : Tessel::HexDigitValue(c) < 0) return false;
    }
    return true;
}

struct TToken {
    QString Text;
    QString Key; // the text, or FolderKey for the version folder's name
};

// A line's tokens: the version folder's name where it stands as a word, braced GUIDs, words,
// runs of blanks, and each other character (a surrogate pair as one).
std::vector<TToken> Tokens(const QString& ALine, const QString& AFolder) {
    std::vector<TToken> tokens;
    QList<qsizetype> folders = WordPositions(ALine, AFolder);
    qsizetype nextFolder = 0;
    for (qsizetype i = 0; i < ALine.size();) {
        while (nextFolder < folders.size() && folders[nextFolder] < i)
            ++nextFolder;
        const bool folderHere = nextFolder < folders.size() && folders[nextFolder] == i;
        qsizetype end = i + 1;
        if (folderHere) {
            tokens.push_back({AFolder, FolderKey});
            i += AFolder.size();
            continue;
        }
        if (IsGuidAt(ALine, i)) {
            end = i + 38;
        } else if (IsWordChar(ALine[i])) {
            const qsizetype stop = nextFolder < folders.size() ? folders[nextFolder] : ALine.size();
            while (end < stop && IsWordChar(ALine[end]))
                ++end;
            // A number with dots in it ("19.3", "1.0.0.0") is one value.
            const auto isNumber = [&](qsizetype AFrom, qsizetype ATo) {
                return std::all_of(ALine.begin() + AFrom, ALine.begin() + ATo,
                                   [](QChar c) { return c.isDigit(); });
            };
            if (isNumber(i, end))
                while (end + 1 < stop && ALine[end] == u'.' && Tessel::IsDigitChar(ALine[end + 1])) {
                    qsizetype next = end + 1;
                    while (next < stop && IsWordChar(ALine[next]))
                        ++next;
                    if (!isNumber(end + 1, next)) break;
                    end = next;
                }
        } else if (ALine[i].unicode() <= 32) {
            while (end < ALine.size() && ALine[end].unicode() <= 32)
                ++end;
        } else if (ALine[i].isHighSurrogate() && end < ALine.size() && ALine[end].isLowSurrogate()) {
            ++end;
        }
        const QString text = ALine.mid(i, end - i);
        tokens.push_back({text, text});
        i = end;
    }
    return tokens;
}

// Index pairs of a longest common subsequence of A and B, in order.
std::vector<std::pair<qsizetype, qsizetype>> CommonSubsequence(const QStringList& A, const QStringList& B) {
    const qsizetype n = A.size(), m = B.size();
    qsizetype start = 0, end = 0;
    while (start < n && start < m && A[start] == B[start])
        ++start;
    while (end < n - start && end < m - start && A[n - 1 - end] == B[m - 1 - end])
        ++end;
    std::vector<std::pair<qsizetype, qsizetype>> pairs;
    for (qsizetype i = 0; i < start; ++i)
        pairs.emplace_back(i, i);
    const qsizetype a = n - start - end, b = m - start - end;
    if (a > 0 && b > 0 && (a + 1) * (b + 1) <= MaxCommonSubsequenceCells) {
        // lengths[i][j]: the longest common subsequence of A's middle from i and B's from j.
        std::vector<quint32> lengths(std::size_t((a + 1) * (b + 1)), 0);
        const auto at = [&](qsizetype i, qsizetype j) -> quint32& {
            return lengths[std::size_t(i * (b + 1) + j)];
        };
        for (qsizetype i = a - 1; i >= 0; --i)
            for (qsizetype j = b - 1; j >= 0; --j)
                at(i, j) = A[start + i] == B[start + j] ? at(i + 1, j + 1) + 1
                                                        : std::max(at(i + 1, j), at(i, j + 1));
        for (qsizetype i = 0, j = 0; i < a && j < b;) {
            if (A[start + i] == B[start + j]) {
                pairs.emplace_back(start + i, start + j);
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    for (qsizetype k = end; k > 0; --k)
        pairs.emplace_back(n - k, m - k);
    return pairs;
}

// Anchors common to every sequence, in order: for each sequence, the position of each anchor in it.
std::vector<std::vector<qsizetype>> CommonAnchors(const std::vector<QStringList>& ASequences) {
    QStringList common = ASequences.front();
    for (std::size_t k = 1; k < ASequences.size(); ++k) {
        QStringList kept;
        for (const auto& [i, j] : CommonSubsequence(common, ASequences[k]))
            kept.append(common[i]);
        common = kept;
    }
    for (;;) {
        std::vector<std::vector<qsizetype>> positions;
        bool whole = true;
        for (const QStringList& sequence : ASequences) {
            const auto pairs = CommonSubsequence(common, sequence);
            if (qsizetype(pairs.size()) < common.size()) {
                // Too large to search: the anchors found in this sequence are all there are.
                QStringList kept;
                for (const auto& [i, j] : pairs)
                    kept.append(common[i]);
                common = kept;
                whole = false;
                break;
            }
            auto& own = positions.emplace_back();
            for (const auto& [i, j] : pairs)
                own.push_back(j);
        }
        if (whole) return positions;
    }
}

// One piece of a line as every version has it: common text, the version folder's name, or a span
// in which the versions differ.
struct TPiece {
    enum TKind { pkCommon, pkFolder, pkSpan } Kind;
    QStringList Texts; // per version (of those that have the file)
};

bool IsBlankAt(const QString& AText, qsizetype AAt) {
    return AText[AAt].unicode() <= 32;
}

// A configuration's value must come back as it was: its line is trimmed, and a marker or statement
// in it would be expanded.
bool HoldsStatement(const QString& AValue) {
    const QString upper = Tessel::AsciiUpperCase(AValue);
    for (const char* statement : {
             "$P(",
             "$GET(",
             "$REPLACE(",
             "$INCLUDE(",
             "$E(",
             "$EACH(",
         })
        if (upper.contains(QLatin1String(statement))) return true;
    return false;
}

// The pieces of one line of a file, from each version's line. Empty, with AReason set, when the
// differences cannot be given as values.
std::optional<std::vector<TPiece>> LinePieces(const QStringList& ALines, const QStringList& AFolders,
                                              QString& AReason) {
    const std::size_t count = std::size_t(ALines.size());
    std::vector<std::vector<TToken>> tokens;
    std::vector<QStringList> keys;
    for (std::size_t k = 0; k < count; ++k) {
        tokens.push_back(Tokens(ALines[qsizetype(k)], AFolders[qsizetype(k)]));
        QStringList& own = keys.emplace_back();
        for (const TToken& token : tokens.back())
            own.append(token.Key);
    }
    const std::vector<std::vector<qsizetype>> anchors = CommonAnchors(keys);
    const std::size_t anchorCount = anchors.front().size();
    std::vector<TPiece> pieces;
    std::vector<qsizetype> from(count, 0);
    const auto addSpan = [&](const std::vector<qsizetype>& AUntil) {
        TPiece span{TPiece::pkSpan, {}};
        for (std::size_t k = 0; k < count; ++k) {
            QString text;
            for (qsizetype t = from[k]; t < AUntil[k]; ++t)
                text += tokens[k][std::size_t(t)].Text;
            span.Texts.append(text);
        }
        if (span.Texts.count(span.Texts.front()) == span.Texts.size()) {
            if (!span.Texts.front().isEmpty()) pieces.push_back({TPiece::pkCommon, span.Texts});
        } else {
            pieces.push_back(span);
        }
    };
    for (std::size_t j = 0; j <= anchorCount; ++j) {
        std::vector<qsizetype> until(count);
        for (std::size_t k = 0; k < count; ++k)
            until[k] = j < anchorCount ? anchors[k][j] : qsizetype(tokens[k].size());
        addSpan(until);
        if (j == anchorCount) break;
        TPiece anchor{keys[0][anchors[0][j]] == FolderKey ? TPiece::pkFolder : TPiece::pkCommon, {}};
        for (std::size_t k = 0; k < count; ++k) {
            anchor.Texts.append(tokens[k][std::size_t(anchors[k][j])].Text);
            from[k] = anchors[k][j] + 1;
        }
        pieces.push_back(anchor);
    }

    // Spans with no more than a separator or two between them are one value ("13.4", a date).
    const auto merge = [&](std::size_t AFirst, std::size_t ALast) {
        for (std::size_t i = AFirst + 1; i <= ALast; ++i)
            for (std::size_t k = 0; k < count; ++k)
                pieces[AFirst].Texts[qsizetype(k)] += pieces[i].Texts[qsizetype(k)];
        pieces[AFirst].Kind = TPiece::pkSpan;
        pieces.erase(pieces.begin() + qsizetype(AFirst) + 1, pieces.begin() + qsizetype(ALast) + 1);
    };
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].Kind != TPiece::pkSpan) continue;
        std::size_t next = i + 1;
        qsizetype between = 0;
        while (next < pieces.size() && pieces[next].Kind == TPiece::pkCommon &&
               std::all_of(pieces[next].Texts.front().begin(), pieces[next].Texts.front().end(),
                           [](QChar c) { return !IsWordChar(c) && c.unicode() > 32; }))
            between += pieces[next++].Texts.front().size();
        if (next < pieces.size() && pieces[next].Kind == TPiece::pkSpan && between <= 2) {
            merge(i, next);
            --i; // it may reach the next span again
        }
    }
    // A value with a blank at its start or end takes in its neighbour.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].Kind != TPiece::pkSpan) continue;
        const auto blankAt = [&](bool AStart) {
            return std::any_of(pieces[i].Texts.begin(), pieces[i].Texts.end(), [&](const QString& AText) {
                return !AText.isEmpty() && IsBlankAt(AText, AStart ? 0 : AText.size() - 1);
            });
        };
        if (blankAt(true)) {
            if (i == 0) {
                AReason = QStringLiteral("the lines differ in their indent");
                return std::nullopt;
            }
            merge(i - 1, i);
            i -= 2;
            continue;
        }
        if (blankAt(false)) {
            if (i + 1 == pieces.size()) {
                AReason = QStringLiteral("the lines differ in their trailing blanks");
                return std::nullopt;
            }
            merge(i, i + 1);
            --i;
            continue;
        }
    }
    for (const TPiece& piece : pieces)
        if (piece.Kind == TPiece::pkSpan)
            for (const QString& text : piece.Texts)
                if (HoldsStatement(text)) {
                    AReason =
                        QStringLiteral("a value that differs, \"%1\", holds a marker or statement").arg(text);
                    return std::nullopt;
                }
    return pieces;
}

// A marker's name from the text before it on its template line: the directive it stands in
// ({$LIBSUFFIX ...), the element and attribute (Projects_Include), the element (DllSuffix), or the
// word that starts the line (package).
QString ContextName(const QString& ABefore) {
    const auto wordAt = [&](qsizetype AAt) {
        qsizetype end = AAt;
        while (end < ABefore.size() &&
               (IsWordChar(ABefore[end]) || ABefore[end] == u'.' || ABefore[end] == u':'))
            ++end;
        return ABefore.mid(AAt, end - AAt);
    };
    if (const qsizetype directive = ABefore.lastIndexOf(QLatin1String("{$"));
        directive >= 0 && ABefore.indexOf(u'}', directive) < 0)
        return wordAt(directive + 2);
    const qsizetype open = ABefore.lastIndexOf(u'<');
    if (open >= 0 && ABefore.indexOf(u'>', open) < 0 && open + 1 < ABefore.size() &&
        ABefore[open + 1] != u'/') {
        const QString element = wordAt(open + 1);
        // Inside the tag: in an attribute's value when a quote is open.
        QChar quote;
        qsizetype quoteAt = -1;
        for (qsizetype i = open; i < ABefore.size(); ++i) {
            if (quote.isNull() && (ABefore[i] == u'"' || ABefore[i] == u'\'')) {
                quote = ABefore[i];
                quoteAt = i;
            } else if (!quote.isNull() && ABefore[i] == quote) {
                quote = QChar();
            }
        }
        if (quote.isNull()) return element;
        qsizetype nameEnd = quoteAt;
        while (nameEnd > open && (ABefore[nameEnd - 1] == u'=' || IsBlankAt(ABefore, nameEnd - 1)))
            --nameEnd;
        qsizetype nameStart = nameEnd;
        while (nameStart > open && IsWordChar(ABefore[nameStart - 1]))
            --nameStart;
        return element + u'_' + ABefore.mid(nameStart, nameEnd - nameStart);
    }
    if (open >= 0 && open + 1 < ABefore.size() && ABefore[open + 1] != u'/' &&
        !ABefore.endsWith(QLatin1String("/>")))
        return wordAt(open + 1);
    const QString trimmed = Tessel::KestTrim(ABefore);
    if (!trimmed.isEmpty() && IsWordChar(trimmed.front())) {
        QString word = wordAt(ABefore.indexOf(trimmed.front()));
        if (!word.isEmpty()) word[0] = word[0].toUpper();
        return word;
    }
    return QString();
}

// A name markers and configurations can hold: letters, digits and underscores.
QString CleanName(const QString& AName) {
    QString name;
    for (const QChar c : AName)
        if (IsWordChar(c) && c.unicode() < 128)
            name += c;
        else if ((c == u'.' || c == u':') && !name.isEmpty() && !name.endsWith(u'_'))
            name += u'_';
    while (name.endsWith(u'_'))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("Value") : name;
}

QString FormatText(const Tessel::TTextFormat& AFormat) {
    static const char* const breaks[] = {"CR LF", "LF", "CR", "U+2028"};
    return QStringLiteral("%1, %2 line breaks")
        .arg(Tessel::EncodingName(AFormat.Encoding), QLatin1String(breaks[int(AFormat.LineBreak)]));
}

QString Shown(const QStringList& ALines, qsizetype AIndex) {
    return ALines.value(AIndex).trimmed();
}

// The markers of a tree: names and per-version values, made and shared as the files are read.
class TMarkerSet {
public:
    explicit TMarkerSet(const QStringList& AVersions) : FVersions(AVersions) {
        FTaken.insert(FolderMarkerName.toCaseFolded());
    }

    // The marker for a span with AValues (per version; none where the version lacks the file).
    QString MarkerFor(const std::vector<std::optional<QString>>& AValues, const QString& AContext) {
        bool isFolder = true;
        for (std::size_t v = 0; v < AValues.size(); ++v)
            if (AValues[v] && *AValues[v] != FVersions[qsizetype(v)]) isFolder = false;
        if (isFolder) return FolderMarkerName;
        for (TMarker& marker : FMarkers) {
            int overlap = 0;
            bool same = true;
            QSet<QString> values;
            for (std::size_t v = 0; v < AValues.size(); ++v)
                if (AValues[v] && marker.Values[v]) {
                    ++overlap;
                    same = same && *AValues[v] == *marker.Values[v];
                    values.insert(*AValues[v]);
                }
            if (!same || overlap < 2 || values.size() < 2) continue;
            for (std::size_t v = 0; v < AValues.size(); ++v)
                if (!marker.Values[v]) marker.Values[v] = AValues[v];
            return marker.Name;
        }
        return Add(AContext, AValues);
    }

    // A new marker named after AContext (a number added when the name is taken).
    QString Add(const QString& AContext, const std::vector<std::optional<QString>>& AValues) {
        const QString base = CleanName(AContext);
        QString name = base;
        for (int n = 2; FTaken.contains(name.toCaseFolded()); ++n)
            name = base + QString::number(n);
        FTaken.insert(name.toCaseFolded());
        FMarkers.push_back({name, AValues});
        return name;
    }

    // Version AVersion's entries, in the order the markers were made.
    QStringList Entries(std::size_t AVersion) const {
        QStringList entries;
        for (const TMarker& marker : FMarkers)
            if (marker.Values[AVersion]) entries.append(marker.Name + u'=' + *marker.Values[AVersion]);
        return entries;
    }

private:
    struct TMarker {
        QString Name;
        std::vector<std::optional<QString>> Values;
    };
    QStringList FVersions;
    std::vector<TMarker> FMarkers;
    QSet<QString> FTaken;
};

// One distinct file of the tree: its path with FolderKey where the version folder's name stands,
// and the versions that have it.
struct TDistinctFile {
    QString Key;
    std::vector<std::pair<std::size_t, const TTreeFile*>> Versions; // version index, its file
};

// The template's file name for a key: its file name without the version folder's name (and the
// separator left beside it).
QString TemplateBaseName(const QString& AKey) {
    QString name = Tessel::FileNamePart(QString(AKey).replace(u'\\', u'/'));
    const QString extension = Tessel::FileExtension(name);
    QString base = name.left(name.size() - extension.size());
    const auto isSeparator = [](QChar c) { return c == u'_' || c == u'-' || c == u'.' || c == u' '; };
    for (qsizetype at = base.indexOf(FolderKey); at >= 0; at = base.indexOf(FolderKey)) {
        qsizetype start = at, end = at + 1;
        if (start > 0 && isSeparator(base[start - 1]))
            --start;
        else if (end < base.size() && isSeparator(base[end]))
            ++end;
        base.remove(start, end - start);
    }
    return (base.isEmpty() ? QStringLiteral("Project") : base) + extension;
}

using TFileVersions = std::vector<std::pair<std::size_t, const TTreeFile*>>; // version index, its file

// The pieces of each line of a file, from the versions that have it; empty, with AProblem set to
// the first difference, when they differ in more than values.
std::optional<std::vector<std::vector<TPiece>>> AlignFile(const TFileVersions& AVersions, QString& AProblem) {
    const TTreeFile& first = *AVersions.front().second;
    const auto problem = [&](const TTreeFile& AFile, qsizetype ALine, const QString& AText) {
        AProblem = QStringLiteral("%1, line %2: %3").arg(AFile.Path).arg(ALine + 1).arg(AText);
        return std::nullopt;
    };
    // Each version of the file must have the same format: it is the template's.
    for (const auto& [version, own] : AVersions)
        if (own->Format != first.Format)
            return problem(*own, 0,
                           QStringLiteral("%1, where %2 is %3")
                               .arg(FormatText(own->Format), first.Path, FormatText(first.Format)));

    // The lines every version has in common are anchors; between them each version must have as
    // many lines as the others, paired in order. Failing that, files of one length are paired
    // line by line.
    std::vector<QStringList> keys;
    QStringList folders;
    for (const auto& [version, own] : AVersions) {
        QStringList& lineKeys = keys.emplace_back();
        for (const QString& line : own->Lines)
            lineKeys.append(ReplaceWord(line, own->Version, FolderKey));
        folders.append(own->Version);
    }
    std::vector<std::vector<qsizetype>> anchors = CommonAnchors(keys);
    const std::size_t count = anchors.front().size();
    const auto gapStart = [&](std::size_t AVersion, std::size_t AGap) {
        return AGap > 0 ? anchors[AVersion][AGap - 1] + 1 : 0;
    };
    const auto gapEnd = [&](std::size_t AVersion, std::size_t AGap) {
        return AGap < anchors[AVersion].size() ? anchors[AVersion][AGap] : keys[AVersion].size();
    };
    std::optional<std::pair<std::size_t, std::size_t>> uneven; // the first gap of another length, its version
    for (std::size_t j = 0; j <= count && !uneven; ++j)
        for (std::size_t k = 1; k < keys.size() && !uneven; ++k)
            if (gapEnd(k, j) - gapStart(k, j) != gapEnd(0, j) - gapStart(0, j)) uneven.emplace(j, k);
    if (uneven) {
        const bool oneLength = std::all_of(keys.begin(), keys.end(), [&](const QStringList& ALines) {
            return ALines.size() == keys.front().size();
        });
        if (!oneLength) {
            // Within the gap, lines of one shape (their start up to the first blank, "=" or ">")
            // are paired while they can be; the first line left unpaired names the difference.
            const auto [j, k] = *uneven;
            const TTreeFile& other = *AVersions[k].second;
            qsizetype at0 = gapStart(0, j), atK = gapStart(k, j);
            const auto shapes = [](const QStringList& ALines, qsizetype AFrom, qsizetype ATo) {
                QStringList result;
                for (qsizetype i = AFrom; i < ATo; ++i) {
                    const QString line = Tessel::KestTrim(ALines[i]);
                    qsizetype end = 0;
                    while (end < line.size() && line[end].unicode() > 32 && line[end] != u'=' &&
                           line[end] != u'>')
                        ++end;
                    result.append(line.left(end));
                }
                return result;
            };
            qsizetype paired = 0;
            for (const auto& [i, n] : CommonSubsequence(shapes(first.Lines, at0, gapEnd(0, j)),
                                                        shapes(other.Lines, atK, gapEnd(k, j)))) {
                if (i != paired || n != paired) break;
                ++paired;
            }
            at0 += paired;
            atK += paired;
            if (atK >= other.Lines.size())
                return problem(other, atK,
                               QStringLiteral("the file has ended, where %1 goes on with \"%2\" (line %3)")
                                   .arg(first.Path, Shown(first.Lines, at0))
                                   .arg(at0 + 1));
            if (at0 >= first.Lines.size())
                return problem(
                    other, atK,
                    QStringLiteral("\"%1\", where %2 has ended").arg(Shown(other.Lines, atK), first.Path));
            return problem(other, atK,
                           QStringLiteral("\"%1\", where %2 has \"%3\" (line %4); the files differ in lines, "
                                          "not only in values")
                               .arg(Shown(other.Lines, atK), first.Path, Shown(first.Lines, at0))
                               .arg(at0 + 1));
        }
        for (auto& own : anchors) {
            own.clear();
            for (qsizetype i = 0; i < keys.front().size(); ++i)
                own.push_back(i);
        }
    }

    // Line by line: the lines paired between the anchors, and the anchors.
    std::vector<std::vector<TPiece>> result;
    const auto alignLine = [&](const std::vector<qsizetype>& AIndexes) {
        QStringList lines;
        for (std::size_t k = 0; k < AIndexes.size(); ++k)
            lines.append(AVersions[k].second->Lines[AIndexes[k]]);
        if (lines.count(lines.front()) == lines.size()) {
            result.push_back({{TPiece::pkCommon, lines}});
            return true;
        }
        QString reason;
        std::optional<std::vector<TPiece>> pieces = LinePieces(lines, folders, reason);
        if (!pieces) {
            for (std::size_t k = 1; k < AIndexes.size(); ++k)
                if (lines[qsizetype(k)] != lines.front()) {
                    problem(*AVersions[k].second, AIndexes[k],
                            QStringLiteral("\"%1\", where %2 has \"%3\" (%4)")
                                .arg(Shown(lines, qsizetype(k)), first.Path, Shown(lines, 0), reason));
                    break;
                }
            return false;
        }
        result.push_back(std::move(*pieces));
        return true;
    };
    const std::size_t anchorCount = anchors.front().size();
    for (std::size_t j = 0; j <= anchorCount; ++j) {
        std::vector<qsizetype> at(keys.size());
        for (std::size_t k = 0; k < keys.size(); ++k)
            at[k] = gapStart(k, j);
        for (; at[0] < gapEnd(0, j);) {
            if (!alignLine(at)) return std::nullopt;
            for (qsizetype& i : at)
                ++i;
        }
        if (j == anchorCount) break;
        for (std::size_t k = 0; k < keys.size(); ++k)
            at[k] = anchors[k][j];
        if (!alignLine(at)) return std::nullopt;
    }
    return result;
}

bool IsGroupProject(const QString& APath) {
    return Tessel::SameAsciiText(Tessel::FileExtension(APath), GroupProjectExtension);
}

} // namespace

QString VersionInFileName(const QString& AFileName, const QStringList& AVersions) {
    QString found;
    for (const QString& version : AVersions)
        if (version.size() > found.size() && !WordPositions(AFileName, version).isEmpty()) found = version;
    return found;
}

TAdoptedTree AdoptVersionTree(const QStringList& AVersions, const std::vector<TTreeFile>& AFiles) {
    TAdoptedTree result;
    TMarkerSet markers(AVersions);

    // The distinct files, in the order they are first met.
    std::vector<TDistinctFile> files;
    for (const TTreeFile& file : AFiles) {
        const std::size_t version = std::size_t(AVersions.indexOf(file.Version));
        QStringList parts = file.Path.split(u'/');
        for (QString& part : parts)
            part = ReplaceWord(part, file.Version, FolderKey);
        const QString key = parts.join(u'\\');
        auto distinct = std::find_if(files.begin(), files.end(),
                                     [&](const TDistinctFile& AFile) { return AFile.Key == key; });
        if (distinct == files.end()) distinct = files.insert(files.end(), {key, {}});
        distinct->Versions.emplace_back(version, &file);
    }

    QStringList outputs;
    QSet<QString> templateNames;
    for (const TDistinctFile& file : files) {
        // The versions that one template makes, with the pieces of its lines. A group project lists
        // the projects of its version, and versions may have other projects: each set of versions
        // whose group projects differ only in values has a template of its own.
        std::vector<std::pair<TFileVersions, std::vector<std::vector<TPiece>>>> classes;
        QString problem;
        if (auto lines = AlignFile(file.Versions, problem)) {
            classes.emplace_back(file.Versions, std::move(*lines));
        } else if (IsGroupProject(file.Key)) {
            for (const auto& version : file.Versions) {
                bool placed = false;
                for (auto& [members, lines] : classes) {
                    TFileVersions tried = members;
                    tried.push_back(version);
                    QString ignored;
                    if (auto aligned = AlignFile(tried, ignored)) {
                        members = tried;
                        lines = std::move(*aligned);
                        placed = true;
                        break;
                    }
                }
                if (!placed) classes.emplace_back(TFileVersions{version}, *AlignFile({version}, problem));
            }
        } else {
            result.Problems.append(problem);
            continue;
        }

        for (const auto& [members, lines] : classes) {
            TAdoptedTemplate adopted{QString(), {}, members.front().second->Format, {}};
            for (const std::vector<TPiece>& pieces : lines) {
                QString line;
                for (const TPiece& piece : pieces) {
                    if (piece.Kind == TPiece::pkCommon) {
                        line += piece.Texts.front();
                    } else if (piece.Kind == TPiece::pkFolder) {
                        line += FolderMarker;
                    } else {
                        std::vector<std::optional<QString>> values(std::size_t(AVersions.size()));
                        for (std::size_t k = 0; k < members.size(); ++k)
                            values[members[k].first] = piece.Texts[qsizetype(k)];
                        line += QStringLiteral("$P(") + markers.MarkerFor(values, ContextName(line)) + u')';
                    }
                }
                adopted.Lines.append(line);
            }

            // Its name, its outputs and the path it is made at.
            QString name = TemplateBaseName(file.Key);
            const QString extension = Tessel::FileExtension(name);
            const QString base = name.left(name.size() - extension.size());
            for (int n = 2; templateNames.contains(QString(name + TemplateExtension).toCaseFolded()); ++n)
                name = base + QString::number(n) + extension;
            adopted.FileName = name + TemplateExtension;
            templateNames.insert(adopted.FileName.toCaseFolded());
            for (const auto& [version, own] : members)
                adopted.Outputs.append(own->Path);
            QString outputPath;
            if (members.size() == std::size_t(AVersions.size())) {
                outputPath = QString(file.Key).replace(FolderKey, FolderMarker);
            } else {
                // Made only for the versions it has: a path of its own per target, empty in the others.
                std::vector<std::optional<QString>> values(std::size_t(AVersions.size()), QString());
                for (const auto& [version, own] : members)
                    values[version] = QString(own->Path).replace(u'/', u'\\');
                const QString kind = extension.mid(1, 1).toUpper() + extension.mid(2);
                outputPath =
                    QStringLiteral("$P(") + markers.Add(base + kind + QStringLiteral("Path"), values) + u')';
            }
            outputs.append(outputPath + u'=' + adopted.FileName);
            result.Templates.push_back(adopted);
        }
    }
    if (!result.Problems.isEmpty()) {
        result.Templates.clear();
        return result;
    }

    QStringList& config = result.Config;
    config +=
        {QStringLiteral("; Made by adopt --versions: a target per version folder, an output per file of"),
         QStringLiteral("; the versions, and each target's values where the versions differ."),
         QStringLiteral("[Targets]")};
    config += AVersions;
    for (std::size_t v = 0; v < std::size_t(AVersions.size()); ++v) {
        config += {QString(), QStringLiteral("[Target:%1]").arg(AVersions[qsizetype(v)])};
        config.append(FolderMarkerName + u'=' + AVersions[qsizetype(v)]);
        config += markers.Entries(v);
    }
    config += {QString(), QStringLiteral("[Outputs]")};
    config += outputs;
    config.append(QString());
    return result;
}

} // namespace Wrenfold
