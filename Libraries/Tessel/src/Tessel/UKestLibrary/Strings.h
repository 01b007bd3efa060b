// String helpers: character tests, quoting, trimming and stripping, splitting, delimited spans, replacing,
// list texts, file-name-safe texts and identifier captions.
#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

#include <concepts>
#include <type_traits>

namespace Tessel {

// Texts are UTF-16 code units, one character per unit; positions count from 1, 0 meaning "not found".
// ASCII letters are "A".."Z" and "a".."z"; digits "0".."9".

// The text without leading and trailing characters with codes up to 32 (blanks and control characters).
QString KestTrim(const QString& AText);
// Integer text: leading blanks, an optional sign, then decimal digits within 32 signed bits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X" within 32 bits (a signed 32-bit pattern).
// The whole text must be consumed; anything else gives no value.
std::optional<int32_t> TextToInt32(const QString& AText);
// The value of a hexadecimal digit, or -1.
int HexDigitValue(QChar AChar);
// The text with the letters a to z upper-cased and nothing else changed (positions stay).
QString AsciiUpperCase(const QString& AText);
inline QChar AsciiUpperCase(QChar AChar) {
    return AChar >= u'a' && AChar <= u'z' ? QChar(AChar.unicode() - 32) : AChar;
}
// Equal when only the ASCII letters a to z differ in case: the library's case-insensitive comparison.
bool SameAsciiText(const QString& A, const QString& B);

// Character tests and positions.
bool IsDigitChar(QChar AChar);
bool IsLetterChar(QChar AChar);
// "A".."Z" lowered; any other character unchanged.
QChar LowerCaseLetter(QChar AChar);
bool ContainsDigit(const QString& AText);
bool ContainsLetter(const QString& AText);
// Position of the first AChar in AText, or 0.
int CharPos(QChar AChar, const QString& AText);
// The last character, or NUL for an empty text.
QChar LastChar(const QString& AText);

// Case, quotes and ends.
// The first character upper-cased when it is "a".."z".
QString UpperFirstChar(const QString& AText);
// Not empty, beginning and ending with a double quote; a lone double quote counts.
bool IsQuoted(const QString& AText);
// Without the enclosing double quotes when IsQuoted, otherwise unchanged.
QString Dequote(const QString& AText);
// The trimmed text, with AChar appended unless it already ends with it; a blank text gives "".
QString EnsureTrailingChar(const QString& AText, QChar AChar);
QString EnsureTrailingBackslash(const QString& AText);
// Removes every trailing AChar from AText.
void StripTrailingChar(QChar AChar, QString& AText);
QString StripLeadingChar(QChar AChar, const QString& AText);
// Without the leading "a".."z" characters.
QString StripLeadingLowerCase(const QString& AText);
// AText, read up to its first NUL, without every character that occurs in ACharSet.
QString RemoveChars(const QString& ACharSet, const QString& AText);
// RemoveChars of blank and tab.
QString RemoveBlanks(const QString& AText);
// True when AText ends with the non-empty AEnding; without case sensitivity only ASCII letters fold.
bool EndsWithText(const QString& AEnding, const QString& AText, bool ACaseSensitive);

// Splitting, finding and replacing.
// Peels the head off AText at the first ASeparator (case-sensitive): returns the trimmed head and leaves
// the trimmed rest in AText. Without a separator (an empty one never matches) returns AText untouched
// and empties it.
QString SplitAtFirst(QString& AText, const QString& ASeparator);
// Finds the first AOpen at or after AStart, then the first AClose behind it. On success AStart and
// ALength describe the span, delimiters included or, without AIncludeDelimiters, only the text between
// them. On failure returns false with ALength 0 and AStart 0. AStart is read and then written.
bool FindDelimited(const QString& AOpen, const QString& AClose, const QString& AText, int& AStart,
                   bool AIncludeDelimiters, int& ALength);
// Replaces every AOld in AText by ANew, left to right, never re-scanning inserted text. Without case
// sensitivity letters match through full Unicode upper-casing (one unit for one unit). An empty AOld
// changes nothing.
void ReplaceAllText(const QString& AOld, const QString& ANew, QString& AText, bool ACaseSensitive);
void ReplaceChar(QChar AOld, QChar ANew, QString& AText);

// Lists and other texts.
// AList with AItem appended after "," (", " with AAddSpace); an empty AItem leaves AList as it is.
QString AppendListItem(const QString& AItem, const QString& AList, bool AAddSpace);
QString BoolToText(bool AValue);
// Replaces the characters a file name cannot hold: '"' -> "'", "*" -> "-" (not when last or before "."),
// "/" -> "-", ":" -> "." (only after a digit), "<" -> "[", ">" -> "]", "?" -> "!", "|" -> "_".
QString ToFileNameChars(const QString& AText);
// Readable words from an identifier: "fMaxChars" -> "Max chars", "Value_A" -> "Value A". With
// AStripPrefix the leading "a".."z" and then "_" characters are removed first.
QString IdentifierToCaption(const QString& AText, bool AStripPrefix);

// A list that names objects: IndexOf applies the list's own lookup rules (case sensitivity, sorting)
// and answers -1 when the name is missing; Objects(i) is the object attached to entry i.
template <typename TList>
concept TNamedObjectList = requires(const TList& AList, const QString& AName, int AIndex) {
    { AList.IndexOf(AName) } -> std::convertible_to<int>;
    AList.Objects(AIndex);
};

// The object attached to the entry the list finds for AName, or a null object when there is none.
template <TNamedObjectList TList>
auto ObjectOfName(const TList& AList, const QString& AName)
    -> std::remove_cvref_t<decltype(AList.Objects(0))> {
    const int index = AList.IndexOf(AName);
    if (index < 0) return {};
    return AList.Objects(index);
}

} // namespace Tessel
