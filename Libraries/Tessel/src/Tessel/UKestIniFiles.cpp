#include "Tessel/UKestIniFiles.h"

#include "Tessel/UKestLibrary/NonPrintingTags.h"
#include "Tessel/UKestLibrary/Strings.h"

#include "Tessel/Rtl/TextFile.h"

#include <QDate>
#include <QFileInfo>
#include <QTime>

#include <cmath>
#include <memory>

namespace Tessel {

namespace {

constexpr qint64 MsPerDay = 86400000;
const QDate DayZero(1899, 12, 30);
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("hh:mm:ss.zzz");

// Day-count date-times: the whole part counts days from 30 December 1899, the fraction (of the
// absolute value, also before that day) is the time of day.
void SplitDateTime(double AValue, QDate& ADate, QTime& ATime) {
    double days = std::trunc(AValue);
    qint64 ms = std::llround(std::fabs(AValue - days) * MsPerDay);
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        days += AValue < 0 ? -1 : 1;
    }
    ADate = DayZero.addDays(qint64(days));
    ATime = QTime::fromMSecsSinceStartOfDay(int(ms));
}

double JoinDateTime(const QDate& ADate, const QTime& ATime) {
    const double days = double(DayZero.daysTo(ADate));
    const double fraction = double(ATime.msecsSinceStartOfDay()) / MsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

bool TryParseTime(const QString& AText, QTime& ATime) {
    ATime = QTime::fromString(AText, TimeFormat);
    if (!ATime.isValid()) ATime = QTime::fromString(AText, QStringLiteral("hh:mm:ss"));
    return ATime.isValid();
}

} // namespace

// ---- TCustomIniFile

void TCustomIniFile::InternalReadSections(const QString& ASection, QStringList& AStrings,
                                          bool ASubSectionNamesOnly, bool ARecurse) {
    QStringList all;
    ReadSections(all);
    QString prefix = ASection;
    if (!prefix.isEmpty() && !prefix.endsWith(u'\\')) prefix += u'\\';
    AStrings.clear();
    for (const QString& name : std::as_const(all)) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QString sub = name.mid(prefix.size());
        if (sub.isEmpty() || (!ARecurse && sub.contains(u'\\'))) continue;
        AStrings.append(ASubSectionNamesOnly ? sub : name);
    }
}

int32_t TCustomIniFile::ReadInteger(const QString& ASection, const QString& AIdent, int32_t ADefault) {
    QString text = ReadString(ASection, AIdent, QString());
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = u'$' + text.mid(2);
    return TextToInt32(text).value_or(ADefault);
}

void TCustomIniFile::WriteInteger(const QString& ASection, const QString& AIdent, int32_t AValue) {
    WriteString(ASection, AIdent, QString::number(AValue));
}

bool TCustomIniFile::ReadBool(const QString& ASection, const QString& AIdent, bool ADefault) {
    return ReadInteger(ASection, AIdent, ADefault ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString& ASection, const QString& AIdent, bool AValue) {
    WriteString(ASection, AIdent, AValue ? QStringLiteral("1") : QStringLiteral("0"));
}

int TCustomIniFile::ReadBinaryStream(const QString& ASection, const QString& AName, QByteArray& AValue) {
    const QString text = ReadString(ASection, AName, QString());
    AValue.clear();
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int hi = HexDigitValue(text.at(i)), lo = HexDigitValue(text.at(i + 1));
        if (hi < 0 || lo < 0) break;
        AValue.append(char(hi * 16 + lo));
    }
    return int(AValue.size());
}

double TCustomIniFile::ReadDate(const QString& ASection, const QString& AName, double ADefault) {
    const QDate date = QDate::fromString(ReadString(ASection, AName, QString()), DateFormat);
    return date.isValid() ? JoinDateTime(date, QTime(0, 0)) : ADefault;
}

double TCustomIniFile::ReadDateTime(const QString& ASection, const QString& AName, double ADefault) {
    const QString text = ReadString(ASection, AName, QString());
    const qsizetype blank = text.indexOf(u' ');
    const QDate date = QDate::fromString(blank < 0 ? text : text.left(blank), DateFormat);
    QTime time(0, 0);
    if (!date.isValid() || (blank >= 0 && !TryParseTime(text.mid(blank + 1), time))) return ADefault;
    return JoinDateTime(date, time);
}

double TCustomIniFile::ReadFloat(const QString& ASection, const QString& AName, double ADefault) {
    bool ok = false;
    const double value = ReadString(ASection, AName, QString()).toDouble(&ok);
    return ok ? value : ADefault;
}

double TCustomIniFile::ReadTime(const QString& ASection, const QString& AName, double ADefault) {
    QTime time;
    return TryParseTime(ReadString(ASection, AName, QString()), time) ? JoinDateTime(DayZero, time)
                                                                      : ADefault;
}

void TCustomIniFile::WriteBinaryStream(const QString& ASection, const QString& AName,
                                       const QByteArray& AValue) {
    WriteString(ASection, AName, QString::fromLatin1(AValue.toHex().toUpper()));
}

void TCustomIniFile::WriteDate(const QString& ASection, const QString& AName, double AValue) {
    QDate date;
    QTime time;
    SplitDateTime(AValue, date, time);
    WriteString(ASection, AName, date.toString(DateFormat));
}

void TCustomIniFile::WriteDateTime(const QString& ASection, const QString& AName, double AValue) {
    QDate date;
    QTime time;
    SplitDateTime(AValue, date, time);
    WriteString(ASection, AName, date.toString(DateFormat) + u' ' + time.toString(TimeFormat));
}

void TCustomIniFile::WriteFloat(const QString& ASection, const QString& AName, double AValue) {
    WriteString(ASection, AName, QString::number(AValue, 'g', QLocale::FloatingPointShortest));
}

void TCustomIniFile::WriteTime(const QString& ASection, const QString& AName, double AValue) {
    QDate date;
    QTime time;
    SplitDateTime(AValue, date, time);
    WriteString(ASection, AName, time.toString(TimeFormat));
}

void TCustomIniFile::ReadSections(const QString& ASection, QStringList& AStrings) {
    InternalReadSections(ASection, AStrings, false, true);
}

void TCustomIniFile::ReadSubSections(const QString& ASection, QStringList& AStrings, bool ARecurse) {
    InternalReadSections(ASection, AStrings, true, ARecurse);
}

bool TCustomIniFile::ValueExists(const QString& ASection, const QString& AIdent) {
    QStringList names;
    ReadSection(ASection, names);
    return names.contains(AIdent, Qt::CaseInsensitive);
}

bool TCustomIniFile::SectionExists(const QString& ASection) {
    QStringList names;
    ReadSection(ASection, names);
    return !names.isEmpty();
}

// ---- TKestMemIniFile

TKestMemIniFile::TKestMemIniFile(const QString& AFileName, bool AReadFromFile)
    : TCustomIniFile(AFileName), TKestImplements(false) {
    if (AReadFromFile) ReadFromFile();
}

TKestMemIniFile::~TKestMemIniFile() {
    Clear();
}

void TKestMemIniFile::ReadFromFile() {
    if (!FileName().isEmpty() && QFileInfo(FileName()).isFile()) {
        TTextFormat format;
        SetStrings(ReadTextFile(FileName(), format));
    } else {
        Clear();
    }
    FModified = false;
}

void TKestMemIniFile::Clear() {
    for (int i = 0; i < FSections.Count(); ++i)
        delete SectionList(i);
    FSections.Clear();
    FModified = true;
}

void TKestMemIniFile::SetStrings(const QStringList& AList) {
    Clear();
    THashedStringList* current = nullptr;
    for (const QString& line : AList) {
        const QString text = KestTrim(line);
        if (text.isEmpty() || text.front() == u';') continue;
        if (text.front() == u'[' && text.back() == u']' && text.size() >= 2) {
            const QString name = KestTrim(text.mid(1, text.size() - 2));
            const int index = FSections.IndexOf(name);
            current = index >= 0 ? SectionList(index) : AddSection(name);
        } else if (current) {
            current->Add(text);
        }
    }
}

void TKestMemIniFile::GetStrings(QStringList& AList) const {
    for (int i = 0; i < FSections.Count(); ++i) {
        AList.append(u'[' + FSections[i] + u']');
        AList.append(SectionList(i)->ToStringList());
        AList.append(QString());
    }
}

QString TKestMemIniFile::ReadString(const QString& ASection, const QString& AIdent, const QString& ADefault) {
    QString result = ADefault;
    if (const THashedStringList* section = FindSection(ASection)) {
        for (int i = 0; i < section->Count(); ++i) {
            const QString& line = section->Strings(i);
            const qsizetype equals = line.indexOf(u'=');
            if (equals >= 0 && SameAsciiText(KestTrim(line.left(equals)), AIdent)) {
                result = KestTrim(line.mid(equals + 1));
                break;
            }
        }
    }
    return DecodeValue(result);
}

void TKestMemIniFile::WriteString(const QString& ASection, const QString& AIdent, const QString& AValue) {
    THashedStringList* section = FindSection(ASection);
    if (!section) section = AddSection(ASection);
    const QString line = AIdent + u'=' + EncodeValue(AValue);
    const int index = section->IndexOfName(AIdent);
    if (index >= 0)
        section->SetString(index, line);
    else
        section->Add(line);
    FModified = true;
}

void TKestMemIniFile::ReadSection(const QString& ASection, QStringList& AStrings) {
    AStrings.clear();
    if (const THashedStringList* section = FindSection(ASection))
        for (int i = 0; i < section->Count(); ++i)
            AStrings.append(section->Names(i));
}

void TKestMemIniFile::ReadSections(QStringList& AStrings) {
    AStrings = FSections.ToStringList();
}

void TKestMemIniFile::ReadSectionValues(const QString& ASection, QStringList& AStrings) {
    AStrings.clear();
    if (const THashedStringList* section = FindSection(ASection)) AStrings = section->ToStringList();
}

void TKestMemIniFile::EraseSection(const QString& ASection) {
    const int index = FSections.IndexOf(ASection);
    if (index < 0) return;
    delete SectionList(index);
    FSections.Delete(index);
    FModified = true;
}

void TKestMemIniFile::DeleteKey(const QString& ASection, const QString& AIdent) {
    THashedStringList* section = FindSection(ASection);
    if (!section) return;
    const int index = section->IndexOfName(AIdent);
    if (index < 0) return;
    section->Delete(index);
    FModified = true;
}

void TKestMemIniFile::UpdateFile() {
    QStringList lines;
    GetStrings(lines);
    lines.append(QString()); // a line break after the last line as well
    WriteTextFile(FileName(), lines, TTextFormat{});
    FModified = false;
}

void TKestMemIniFile::ReadSectionStrings(const QString& ASection, QStringList& AStrings) {
    const THashedStringList* section = FindSection(ASection);
    if (!section) section = AddSection(ASection);
    AStrings = section->ToStringList();
}

void TKestMemIniFile::WriteSectionStrings(const QString& ASection, const QStringList& AStrings) {
    THashedStringList* section = FindSection(ASection);
    if (!section) section = AddSection(ASection);
    section->Assign(AStrings);
    FModified = true;
}

void TKestMemIniFile::ReadStrings(const QString& ASection, const QString& AID, QStringList& AStrings) {
    static const QString Missing = QStringLiteral("???");
    AStrings.clear();
    for (int i = 0;; ++i) {
        const QString value = ReadString(ASection, AID + QString::number(i), Missing);
        if (value == Missing) break;
        AStrings.append(value);
    }
}

void TKestMemIniFile::WriteStrings(const QString& ASection, const QString& AID, const QStringList& AStrings) {
    for (int i = 0; !ReadString(ASection, AID + QString::number(i), QString()).isEmpty(); ++i)
        WriteString(ASection, AID + QString::number(i), QString());
    for (qsizetype i = 0; i < AStrings.size(); ++i)
        WriteString(ASection, AID + QString::number(i), AStrings.at(i));
    FModified = true;
}

void TKestMemIniFile::SetCaseSensitive(bool AValue) {
    if (AValue == FSections.CaseSensitive()) return;
    FSections.SetCaseSensitive(AValue);
    for (int i = 0; i < FSections.Count(); ++i)
        SectionList(i)->SetCaseSensitive(AValue);
}

THashedStringList* TKestMemIniFile::AddSection(const QString& AName) {
    auto section = std::make_unique<THashedStringList>();
    section->SetCaseSensitive(CaseSensitive());
    FSections.Add(AName, section.get());
    return section.release();
}

THashedStringList* TKestMemIniFile::FindSection(const QString& ASection) const {
    const int index = FSections.IndexOf(ASection);
    return index < 0 ? nullptr : SectionList(index);
}

// Control characters are stored as tags, except those in FAllowNonPrintingCharacterList.
QString TKestMemIniFile::EncodeValue(const QString& AValue) const {
    return StringToNonPrintingTags(AValue, FAllowNonPrintingCharacterList, false);
}

// Raises EKestLibrary for a tag that names no character.
QString TKestMemIniFile::DecodeValue(const QString& AValue) {
    return NonPrintingTagsToString(AValue);
}

} // namespace Tessel
