// The registry helpers: path texts, Boolean values, key lists and key trees, with and without the
// registry trace, and keys that exist but cannot be opened.
#include "Tessel/UKestAliases/CommonAliases.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestRegistry.h"
#include "support/ErrorOf.h"
#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "support/UnderPrivateRegistry.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

// A private registry whose trace lines are collected, with only their text after the time stamp.
class RegistryHelpers : public UnderPrivateRegistry {
protected:
    void SetUp() override {
        UnderPrivateRegistry::SetUp();
        DebugOutputProc = [this](const QString& ALine) {
            // "dd/mm/yy, hh:mm:ss.zzz (  interval ms),text,"
            Trace.append(ALine.mid(ALine.indexOf(u"ms),"_s) + 4).chopped(1));
        };
    }
    void TearDown() override {
        RegLogging = false;
        UnderPrivateRegistry::TearDown();
    }
    static QString Line(const QString& AOperation, const QString& APath, const QString& AValue) {
        return u"KEST reg access \"%1\" key \"%2\", value \"%3\""_s.arg(AOperation, APath, AValue);
    }
    QStringList Trace;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

class RegistryHelpersLogging : public RegistryHelpers, public ::testing::WithParamInterface<bool> {};

// A store that keeps every key whose path holds a level "Locked" from being opened for anything more
// than finding out that it exists, and from being made.
class TLockedKeysStore : public TFileRegistryBackend {
public:
    using TFileRegistryBackend::TFileRegistryBackend;
    bool OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) override {
        if (Locked(AKey) && AAccess != (STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS))
            return false;
        return TFileRegistryBackend::OpenKey(ARoot, AKey, AAccess);
    }
    bool CreateKey(HKEY ARoot, const QStringList& AKey) override {
        return !Locked(AKey) && TFileRegistryBackend::CreateKey(ARoot, AKey);
    }

private:
    static bool Locked(const QStringList& AKey) { return AKey.contains(u"Locked"_s, Qt::CaseInsensitive); }
};

} // namespace

TEST(RegistryPathTest, SplitsTheRootKeyTheKeyAndTheValueName) {
    const QString appData = ExpandSystemAliases(u"%AppDataName%"_s, false, true);
    const struct {
        QString Path;
        HKEY Root;
        QString Key;
        QString ValueName;
    } cases[] = {
        {u"HKCU\\Software\\A\\Value"_s, HKEY_CURRENT_USER, u"Software\\A"_s, u"Value"_s},
        {u"HKLM\\Software\\A\\"_s, HKEY_LOCAL_MACHINE, u"Software\\A"_s, QString()},
        {u" HKCR \\  Name "_s, HKEY_CLASSES_ROOT, QString(), u"Name"_s},
        {u"HKCU"_s, HKEY_CURRENT_USER, QString(), QString()},
        {u"HKCU\\A:B"_s, HKEY_CURRENT_USER, u"A:"_s, u"B"_s},
        {u"HKCU\\A\\\\B"_s, HKEY_CURRENT_USER, u"A\\\\"_s, u"B"_s},
        {u"HKCU\\X\\%AppDataName%\\V"_s, HKEY_CURRENT_USER, u"X\\"_s + appData, u"V"_s},
    };
    for (const auto& c : cases) {
        QString key, valueName;
        EXPECT_EQ(c.Root, SplitRegPath(c.Path, key, valueName)) << qPrintable(c.Path);
        EXPECT_EQ(c.Key, key) << qPrintable(c.Path);
        EXPECT_EQ(c.ValueName, valueName) << qPrintable(c.Path);
    }
    QString key, valueName;
    for (const QString& bad : {u"hkcu\\Software\\X"_s, u"HKEY_CURRENT_USER\\X"_s, QString()})
        EXPECT_EQ(u"Internal error Invalid root key"_s,
                  ErrorOf<EDebugTrap>([&] { SplitRegPath(bad, key, valueName); }))
            << qPrintable(bad);
    EXPECT_EQ(u"Unrecognised alias \"NoSuchAlias\""_s,
              ErrorOf<EKestAlias>([&] { SplitRegPath(u"HKCU\\%NoSuchAlias%\\V"_s, key, valueName); }));
}

TEST_P(RegistryHelpersLogging, WritesReadsListsAndDeletesWithOneTraceLineEach) {
    RegLogging = GetParam();
    const QString appData = ExpandSystemAliases(u"%AppDataName%"_s, false, true);
    const QString base = u"HKCU\\Software\\KEST Products\\%AppDataName%\\Helpers\\"_s;
    const QString expandedBase = u"HKCU\\Software\\KEST Products\\"_s + appData + u"\\Helpers\\"_s;
    QStringList expected;

    WriteRegKeyBool(base + u"Deep\\Er\\Switch"_s, true, true); // missing keys are made
    expected << Line(u"WriteRegKeyBool"_s, expandedBase + u"Deep\\Er\\Switch"_s, u"True"_s);
    WriteRegKeyBool(base + u"Has Blank\\Off"_s, false, true);
    expected << Line(u"WriteRegKeyBool"_s, expandedBase + u"Has Blank\\Off"_s, u"False"_s);
    EXPECT_TRUE(ReadRegKeyBool(base + u"Deep\\Er\\Switch"_s, false, true));
    expected << Line(u"ReadRegKeyBool"_s, expandedBase + u"Deep\\Er\\Switch"_s, u"True"_s);
    EXPECT_FALSE(ReadRegKeyBool(base + u"Has Blank\\Off"_s, true, true));
    expected << Line(u"ReadRegKeyBool"_s, expandedBase + u"Has Blank\\Off"_s, u"False"_s);
    // A value missing from an existing key gives the default and is traced; a missing key is not.
    EXPECT_TRUE(ReadRegKeyBool(base + u"Deep\\Missing"_s, true, true));
    expected << Line(u"ReadRegKeyBool"_s, expandedBase + u"Deep\\Missing"_s, u"True"_s);
    EXPECT_TRUE(ReadRegKeyBool(base + u"Nowhere\\Value"_s, true, true));

    QStringList names;
    ReadRegKeyNames(base, names, true);
    EXPECT_EQ((QStringList{u"Deep"_s, u"Has Blank"_s}), names);
    expected << Line(u"ReadRegKeyNames"_s, expandedBase, u"Deep,\"Has Blank\""_s);
    ReadRegKeyNames(base + u"Deep"_s, names, true); // the whole path names the key
    EXPECT_EQ(QStringList{u"Er"_s}, names);
    expected << Line(u"ReadRegKeyNames"_s, expandedBase + u"Deep"_s, u"Er"_s);
    ReadRegKeyNames(base + u"Nowhere\\"_s, names, true);
    EXPECT_TRUE(names.isEmpty());

    DeleteRegKey(base + u"Deep\\"_s, true); // the whole tree
    expected << Line(u"DeleteRegKey"_s, expandedBase + u"Deep\\"_s, QString());
    DeleteRegKey(base + u"Deep"_s, true); // gone: no error, still traced
    expected << Line(u"DeleteRegKey"_s, expandedBase + u"Deep"_s, QString());
    ReadRegKeyNames(base, names, true);
    EXPECT_EQ(QStringList{u"Has Blank"_s}, names);
    expected << Line(u"ReadRegKeyNames"_s, expandedBase, u"\"Has Blank\""_s);

    EXPECT_EQ(GetParam() ? expected : QStringList(), Trace);
}

INSTANTIATE_TEST_SUITE_P(LoggingOnAndOff, RegistryHelpersLogging, ::testing::Bool());

TEST_F(RegistryHelpers, AKeyThatCannotBeOpenedRaisesOnlyWhenAsked) {
    WriteRegKeyBool(u"HKCU\\Software\\Locked\\Child\\Value"_s, true, true);
    SetRegistryBackend(std::make_shared<TLockedKeysStore>(RegistryDir()));
    const QString read =
        u"Unable to open registry key for read access \"HKCU\\Software\\Locked\\Child\\Value\""_s;
    const QString modify =
        u"Unable to open registry key for modify \"HKCU\\Software\\Locked\\Child\\Value\""_s;
    const QString path = u"HKCU\\Software\\Locked\\Child\\Value"_s;
    QStringList names{u"stale"_s};

    EXPECT_EQ(read, ErrorOf<EKestRegistry>([&] { ReadRegKeyBool(path, false, true); }));
    EXPECT_EQ(u"Unable to open registry key for read access \"HKCU\\Software\\Locked\\\""_s,
              ErrorOf<EKestRegistry>([&] { ReadRegKeyNames(u"HKCU\\Software\\Locked\\"_s, names, true); }));
    EXPECT_EQ(modify, ErrorOf<EKestRegistry>([&] { WriteRegKeyBool(path, false, true); }));
    EXPECT_EQ(u"Unable to open registry key for modify \"HKCU\\Software\\Locked\""_s,
              ErrorOf<EKestRegistry>([&] { DeleteRegKey(u"HKCU\\Software\\Locked"_s, true); }));

    EXPECT_FALSE(ReadRegKeyBool(path, false, false));
    ReadRegKeyNames(u"HKCU\\Software\\Locked\\"_s, names, false);
    EXPECT_TRUE(names.isEmpty());
    WriteRegKeyBool(path, false, false);
    DeleteRegKey(u"HKCU\\Software\\Locked"_s, false);
    SetRegistryBackend(nullptr);
    EXPECT_TRUE(ReadRegKeyBool(path, false, true)) << "nothing was changed";
}

TEST_F(RegistryHelpers, APathNamingTheRootKeyDeletesNothing) {
    WriteRegKeyBool(u"HKCU\\Software\\Kept\\Value"_s, true, true);
    for (const QString& path : {u"HKCU"_s, u"HKCU\\"_s, u"HKCU\\\\"_s}) {
        EXPECT_EQ(u"Unable to open registry key for modify \"%1\""_s.arg(path),
                  ErrorOf<EKestRegistry>([&] { DeleteRegKey(path, true); }));
        DeleteRegKey(path, false);
    }
    EXPECT_TRUE(ReadRegKeyBool(u"HKCU\\Software\\Kept\\Value"_s, false, true));
}
