// The user's format settings set for a scope and put back after it, and a fixture that uses them.
#pragma once

#include "Tessel/Rtl/FormatSettings.h"

#include <QLocale>
#include <gtest/gtest.h>

// Replaces the user's format settings while it lives, then restores the ones it found.
class TUserFormatSettingsScope {
public:
    explicit TUserFormatSettingsScope(const Tessel::TFormatSettings& ASettings)
        : FSaved(Tessel::UserFormatSettings()) {
        Tessel::SetUserFormatSettings(ASettings);
    }
    ~TUserFormatSettingsScope() { Tessel::SetUserFormatSettings(FSaved); }
    TUserFormatSettingsScope(const TUserFormatSettingsScope&) = delete;
    TUserFormatSettingsScope& operator=(const TUserFormatSettingsScope&) = delete;

private:
    Tessel::TFormatSettings FSaved;
};

// A test whose user format settings are those of German (Germany): decimal comma, "." between the
// parts of a date.
class UnderGermanLocale : public ::testing::Test {
private:
    TUserFormatSettingsScope FScope{
        Tessel::TFormatSettings::Create(QLocale(QLocale::German, QLocale::Germany))};
};
