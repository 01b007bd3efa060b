// INI files: the abstract INI-file base with its typed readers and writers, and the in-memory INI file.
#pragma once

#include "Tessel/Rtl/THashedStringList.h"
#include "Tessel/UKestDefs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Tessel {

// An INI file: named sections of "name=value" lines. The typed readers and writers work through
// ReadString and WriteString. Dates and times are day counts since 30 December 1899.
class TCustomIniFile {
public:
    explicit TCustomIniFile(const QString& AFileName) : FFileName(AFileName) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const QString& FileName() const { return FFileName; }

protected:
    // Lists the sections below ASection ("Parent\Child" naming; all sections when ASection is empty).
    // Full names, or only the part after "ASection\" when ASubSectionNamesOnly is set; without
    // ARecurse, only direct children.
    virtual void InternalReadSections(const QString& ASection, QStringList& AStrings,
                                      bool ASubSectionNamesOnly, bool ARecurse);

public:
    virtual QString ReadString(const QString& ASection, const QString& AIdent, const QString& ADefault) = 0;
    virtual void WriteString(const QString& ASection, const QString& AIdent, const QString& AValue) = 0;
    // "0x" followed by at least one character reads as hexadecimal; ADefault when the text is no integer.
    virtual int32_t ReadInteger(const QString& ASection, const QString& AIdent, int32_t ADefault);
    virtual void WriteInteger(const QString& ASection, const QString& AIdent, int32_t AValue);
    virtual bool ReadBool(const QString& ASection, const QString& AIdent, bool ADefault);
    virtual void WriteBool(const QString& ASection, const QString& AIdent, bool AValue);
    // Hexadecimal text, two digits per byte; returns the number of bytes read into AValue.
    virtual int ReadBinaryStream(const QString& ASection, const QString& AName, QByteArray& AValue);
    // Stored as "yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss.zzz" and "hh:mm:ss.zzz"; floats in the C locale.
    virtual double ReadDate(const QString& ASection, const QString& AName, double ADefault);
    virtual double ReadDateTime(const QString& ASection, const QString& AName, double ADefault);
    virtual double ReadFloat(const QString& ASection, const QString& AName, double ADefault);
    virtual double ReadTime(const QString& ASection, const QString& AName, double ADefault);
    virtual void WriteBinaryStream(const QString& ASection, const QString& AName, const QByteArray& AValue);
    virtual void WriteDate(const QString& ASection, const QString& AName, double AValue);
    virtual void WriteDateTime(const QString& ASection, const QString& AName, double AValue);
    virtual void WriteFloat(const QString& ASection, const QString& AName, double AValue);
    virtual void WriteTime(const QString& ASection, const QString& AName, double AValue);
    virtual void ReadSection(const QString& ASection, QStringList& AStrings) = 0;
    virtual void ReadSections(QStringList& AStrings) = 0;
    // Every section below ASection, with full names, at any depth.
    virtual void ReadSections(const QString& ASection, QStringList& AStrings);
    // The names of the sections below ASection relative to it; only direct children without ARecurse.
    virtual void ReadSubSections(const QString& ASection, QStringList& AStrings, bool ARecurse = false);
    virtual void ReadSectionValues(const QString& ASection, QStringList& AStrings) = 0;
    virtual void EraseSection(const QString& ASection) = 0;
    virtual void DeleteKey(const QString& ASection, const QString& AIdent) = 0;
    virtual void UpdateFile() = 0;
    // True when AIdent is among the section's names (compared without case).
    virtual bool ValueExists(const QString& ASection, const QString& AIdent);

    // True when ReadSection yields at least one entry: a section without lines does not exist here.
    bool SectionExists(const QString& ASection);

private:
    QString FFileName;
};

// An INI file held in memory as an ordered list of sections, each an ordered list of lines kept exactly
// as parsed. It can be loaded from and saved to FileName but is also used on text alone. Through
// IKestINIFile it counts no references: whoever creates it frees it.
class TKestMemIniFile : public TCustomIniFile, public TKestImplements<IKestINIFile> {
public:
    // With AReadFromFile, loads FileName (an empty name or a missing file gives an empty INI).
    TKestMemIniFile(const QString& AFileName, bool AReadFromFile);
    ~TKestMemIniFile() override;

    // Loads FileName when it names an existing file, else empties the INI; clears Modified.
    void ReadFromFile();
    // Removes every section; sets Modified.
    void Clear();
    // Replaces the content by parsing AList: trims each line, drops blank lines, ";" comments and
    // lines before the first "[header]", and continues an earlier section when its header repeats.
    void SetStrings(const QStringList& AList);
    // Appends "[name]", the section's lines and an empty line for each section.
    void GetStrings(QStringList& AList) const;

    QString ReadString(const QString& ASection, const QString& AIdent, const QString& ADefault) override;
    void WriteString(const QString& ASection, const QString& AIdent, const QString& AValue) override;
    void ReadSection(const QString& ASection, QStringList& AStrings) override;
    using TCustomIniFile::ReadSections;
    void ReadSections(QStringList& AStrings) override;
    void ReadSectionValues(const QString& ASection, QStringList& AStrings) override;
    void EraseSection(const QString& ASection) override;
    int32_t ReadInteger(const QString& ASection, const QString& AIdent, int32_t ADefault) override {
        return TCustomIniFile::ReadInteger(ASection, AIdent, ADefault);
    }
    void WriteInteger(const QString& ASection, const QString& AIdent, int32_t AValue) override {
        TCustomIniFile::WriteInteger(ASection, AIdent, AValue);
    }
    void DeleteKey(const QString& ASection, const QString& AIdent) override;
    // Saves the content to FileName in the 8-bit code page with CR LF after every line; clears Modified.
    void UpdateFile() override;

    // The section's lines as stored; an absent section is created empty first.
    void ReadSectionStrings(const QString& ASection, QStringList& AStrings);
    // Replaces the section's lines with AStrings unchanged, creating the section when needed.
    void WriteSectionStrings(const QString& ASection, const QStringList& AStrings);
    // The values of keys AID0, AID1, ... up to the first one that is missing.
    void ReadStrings(const QString& ASection, const QString& AID, QStringList& AStrings);
    // Empties the non-empty keys AID0, AID1, ..., then writes AStrings to AID0, AID1, ...
    void WriteStrings(const QString& ASection, const QString& AID, const QStringList& AStrings);

    bool CaseSensitive() const { return FSections.CaseSensitive(); }
    void SetCaseSensitive(bool AValue);
    bool Modified() const { return FModified; }
    void SetModified(bool AValue) { FModified = AValue; }
    const QString& AllowNonPrintingCharacterList() const { return FAllowNonPrintingCharacterList; }
    void SetAllowNonPrintingCharacterList(const QString& AValue) { FAllowNonPrintingCharacterList = AValue; }
    // The section names in order; each entry's object is that section's line list.
    const THashedStringList& SectionNames() const { return FSections; }

protected:
    // Appends an empty section with the current case flag; does not set Modified.
    THashedStringList* AddSection(const QString& AName);

private:
    THashedStringList* SectionList(int AIndex) const {
        return static_cast<THashedStringList*>(FSections.Objects(AIndex));
    }
    THashedStringList* FindSection(const QString& ASection) const;
    QString EncodeValue(const QString& AValue) const;
    static QString DecodeValue(const QString& AValue);

    THashedStringList FSections;
    bool FModified = false;
    QString FAllowNonPrintingCharacterList;
};

} // namespace Tessel
