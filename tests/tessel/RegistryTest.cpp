// The registry object over the registry files: typed values, key trees, letter case, access rights,
// programs sharing the files, and damaged files.
#include "Tessel/Rtl/Registry.h"
#include "Tessel/Rtl/FileRegistryBackend.h"
#include "support/ErrorOf.h"
#include "support/FileHelpers.h"
#include "support/PrintTo.h"
#include "support/TEnvironment.h"
#include "support/UnderPrivateRegistry.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList KeyNamesOf(const QString& AKey, HKEY ARoot = HKEY_CURRENT_USER) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(ARoot);
    QStringList names;
    if (registry.OpenKey(AKey, false)) registry.GetKeyNames(names);
    return names;
}

} // namespace

using Registry = UnderPrivateRegistry;

TEST_F(Registry, TypedValuesKeepTheirTypeAndSurviveTheObject) {
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(u"Software\\Values"_s, true));
        registry.WriteInteger(u"Negative"_s, -2147483647 - 1);
        registry.WriteString(u"Text"_s, u"tab\there, quote \" and \\ and é"_s);
        registry.WriteString(u"Empty"_s, QString());
        registry.WriteBool(u"On"_s, true);
        registry.WriteBool(u"Off"_s, false);
        registry.WriteInteger(u"Seven"_s, 7);
        registry.WriteString(u"Retyped"_s, u"was text"_s);
        registry.WriteInteger(u"Retyped"_s, 3);
    }
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(u"Software\\Values"_s, false));
    EXPECT_EQ(registry.ReadInteger(u"Negative"_s), -2147483647 - 1);
    EXPECT_EQ(registry.ReadString(u"Text"_s), u"tab\there, quote \" and \\ and é"_s);
    EXPECT_EQ(registry.GetDataType(u"Empty"_s), TRegDataType::rdString);
    EXPECT_EQ(registry.ReadString(u"Empty"_s), QString());
    // A Boolean is a 32-bit integer 1 or 0, and any non-zero integer reads as true.
    EXPECT_EQ(registry.GetDataType(u"On"_s), TRegDataType::rdInteger);
    EXPECT_EQ(registry.ReadInteger(u"On"_s), 1);
    EXPECT_EQ(registry.ReadInteger(u"Off"_s), 0);
    EXPECT_TRUE(registry.ReadBool(u"On"_s));
    EXPECT_FALSE(registry.ReadBool(u"Off"_s));
    EXPECT_TRUE(registry.ReadBool(u"Seven"_s));
    EXPECT_EQ(registry.ReadInteger(u"Retyped"_s), 3);
    QStringList names;
    registry.GetValueNames(names);
    EXPECT_EQ(names, (QStringList{u"Empty"_s, u"Negative"_s, u"Off"_s, u"On"_s, u"Retyped"_s, u"Seven"_s,
                                  u"Text"_s}));

    const std::pair<std::function<void()>, QString> failures[] = {
        {[&] { registry.ReadBool(u"Text"_s); }, u"Invalid data type for \"Text\""_s},
        {[&] { registry.ReadInteger(u"Empty"_s); }, u"Invalid data type for \"Empty\""_s},
        {[&] { registry.ReadString(u"Seven"_s); }, u"Invalid data type for \"Seven\""_s},
        {[&] { registry.ReadBool(u"Missing"_s); }, u"Failed to get data for \"Missing\""_s},
        {[&] { TRegistry().ReadInteger(u"Seven"_s); }, u"Failed to get data for \"Seven\""_s},
    };
    for (const auto& [action, message] : failures)
        EXPECT_EQ(ErrorOf<ERegistryException>(action), message);
    EXPECT_EQ(registry.ReadString(u"Missing"_s), QString()) << "a missing text reads as empty";
    EXPECT_FALSE(registry.ValueExists(u"Missing"_s));
}

TEST_F(Registry, KeysFormTreesListedWithoutRegardToCase) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(u"Software\\Tree\\Middle\\Leaf"_s, true)) << "missing parents are made";
    EXPECT_EQ(registry.CurrentPath(), u"Software\\Tree\\Middle\\Leaf"_s);
    for (const QString& name : {u"beta"_s, u"Alpha"_s, u"_under"_s, u"Gamma"_s}) {
        TRegistry other;
        ASSERT_TRUE(other.OpenKey(u"Software\\Tree\\"_s + name, true));
    }
    EXPECT_EQ(KeyNamesOf(u"Software\\Tree"_s),
              (QStringList{u"Alpha"_s, u"beta"_s, u"Gamma"_s, u"Middle"_s, u"_under"_s}));
    EXPECT_EQ(KeyNamesOf(u"Software\\Tree\\Middle\\Leaf"_s), QStringList());
    EXPECT_EQ(KeyNamesOf(QString()), QStringList{u"Software"_s}) << "the empty path is the root key";

    // A path is taken from the open key unless it begins with "\"; a failed open keeps the open key.
    ASSERT_TRUE(registry.OpenKey(u"\\Software\\Tree"_s, false));
    EXPECT_TRUE(registry.KeyExists(u"Middle\\Leaf"_s));
    EXPECT_FALSE(registry.KeyExists(u"Software"_s));
    EXPECT_TRUE(registry.KeyExists(u"\\Software"_s));
    EXPECT_FALSE(registry.OpenKey(u"Nowhere"_s, false));
    EXPECT_EQ(registry.CurrentPath(), u"Software\\Tree"_s);
    ASSERT_TRUE(registry.OpenKey(u"Middle"_s, false));
    EXPECT_EQ(registry.CurrentPath(), u"Software\\Tree\\Middle"_s);
    registry.CloseKey();
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_TRUE(registry.KeyExists(u"Software\\Tree\\"_s)) << "a trailing \"\\\" names the key";
    for (const QString& bad : {u"Software\\\\Tree"_s, u"\\\\Software"_s, u"Software\\Tree\\\\"_s})
        EXPECT_FALSE(registry.OpenKey(bad, true)) << qPrintable(bad);
    EXPECT_EQ(KeyNamesOf(QString()), QStringList{u"Software"_s}) << "nothing made by a bad path";

    // Each root key has its own tree.
    EXPECT_EQ(KeyNamesOf(QString(), HKEY_LOCAL_MACHINE), QStringList());
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(u"Machine"_s, true));
    EXPECT_EQ(KeyNamesOf(QString(), HKEY_LOCAL_MACHINE), QStringList{u"Machine"_s});
    EXPECT_FALSE(TRegistry().KeyExists(u"Machine"_s));
    registry.SetRootKey(0x80000003);
    EXPECT_FALSE(registry.HasCurrentKey()) << "a new root key closes the key";
    EXPECT_FALSE(registry.OpenKey(u"Any"_s, true)) << "a root key without a hive";
}

TEST_F(Registry, NamesMatchWhateverTheirCaseAndKeepTheFirstCase) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(u"Software\\MixedCase"_s, true));
    registry.WriteBool(u"Enabled"_s, true);
    ASSERT_TRUE(registry.OpenKey(u"\\SOFTWARE\\mixedcase\\Sub"_s, true));
    registry.CloseKey();

    EXPECT_TRUE(registry.KeyExists(u"software\\MIXEDCASE\\sub"_s));
    ASSERT_TRUE(registry.OpenKey(u"SOFTWARE\\MIXEDCASE"_s, true));
    registry.WriteBool(u"ENABLED"_s, false);
    EXPECT_TRUE(registry.ValueExists(u"enabled"_s));
    EXPECT_FALSE(registry.ReadBool(u"eNaBlEd"_s));
    QStringList names;
    registry.GetValueNames(names);
    EXPECT_EQ(names, QStringList{u"Enabled"_s});
    EXPECT_EQ(KeyNamesOf(QString()), QStringList{u"Software"_s});
    EXPECT_EQ(KeyNamesOf(u"Software"_s), QStringList{u"MixedCase"_s});
    EXPECT_EQ(KeyNamesOf(u"Software\\MixedCase"_s), QStringList{u"Sub"_s});
}

TEST_F(Registry, DeletingAKeyTakesEverythingBelowIt) {
    TRegistry registry;
    for (const QString& key : {u"Software\\Doomed\\A\\Deep"_s, u"Software\\Doomed\\B"_s, u"Software\\Kept"_s})
        ASSERT_TRUE(registry.OpenKey(u"\\"_s + key, true));
    registry.WriteString(u"Stays"_s, u"yes"_s);
    registry.WriteString(u"Goes"_s, u"no"_s);
    EXPECT_TRUE(registry.DeleteValue(u"GOES"_s));
    EXPECT_FALSE(registry.DeleteValue(u"Goes"_s));
    registry.CloseKey();

    TRegistry reader(KEY_READ); // deleting is not limited by the access mask
    EXPECT_TRUE(reader.DeleteKey(u"software\\doomed"_s));
    EXPECT_FALSE(reader.KeyExists(u"Software\\Doomed\\A\\Deep"_s));
    EXPECT_FALSE(reader.DeleteKey(u"Software\\Doomed"_s)) << "gone already";
    EXPECT_FALSE(reader.DeleteKey(QString())) << "the root key stays";
    EXPECT_EQ(KeyNamesOf(u"Software"_s), QStringList{u"Kept"_s});
    ASSERT_TRUE(reader.OpenKey(u"Software\\Kept"_s, false));
    EXPECT_EQ(reader.ReadString(u"Stays"_s), u"yes"_s);
    EXPECT_FALSE(reader.ValueExists(u"Goes"_s));

    // A key deleted under an open registry object can no longer be written through it.
    ASSERT_TRUE(registry.OpenKey(u"Software\\Kept"_s, false));
    EXPECT_TRUE(TRegistry().DeleteKey(u"Software\\Kept"_s));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.WriteBool(u"Late"_s, true); }),
              u"Failed to set data for \"Late\""_s);
    EXPECT_FALSE(TRegistry().KeyExists(u"Software\\Kept"_s)) << "and is not made again";
}

TEST_F(Registry, TheAccessMaskLimitsWhatAnOpenKeyAllows) {
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(u"Software\\Locked"_s, true));
        writer.WriteBool(u"Flag"_s, true);
        ASSERT_TRUE(writer.OpenKey(u"Child"_s, true));
    }
    const QByteArray before = ReadTestBytes(HiveFile(HKEY_CURRENT_USER));

    TRegistry reader(KEY_READ);
    EXPECT_FALSE(reader.OpenKey(u"Software\\New"_s, true)) << "a read mask makes no key";
    EXPECT_FALSE(reader.KeyExists(u"Software\\New"_s));
    ASSERT_TRUE(reader.OpenKey(u"Software\\Locked"_s, true)) << "an existing key opens for reading";
    EXPECT_TRUE(reader.ReadBool(u"Flag"_s));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { reader.WriteBool(u"Flag"_s, false); }),
              u"Failed to set data for \"Flag\""_s);
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { reader.WriteString(u"Other"_s, u"x"_s); }),
              u"Failed to set data for \"Other\""_s);
    EXPECT_FALSE(reader.DeleteValue(u"Flag"_s));
    EXPECT_EQ(ReadTestBytes(HiveFile(HKEY_CURRENT_USER)), before) << "the hive is untouched";

    // A key opened for writing only can be written but not read or listed.
    TRegistry writeOnly(KEY_WRITE);
    ASSERT_TRUE(writeOnly.OpenKey(u"Software\\Locked"_s, false));
    QStringList names;
    writeOnly.GetKeyNames(names);
    EXPECT_EQ(names, QStringList());
    EXPECT_FALSE(writeOnly.ValueExists(u"Flag"_s));
    writeOnly.WriteBool(u"Flag"_s, false);

    // The mask is taken when a key is opened: changing it later leaves the open key as it was.
    TRegistry changing(KEY_READ);
    ASSERT_TRUE(changing.OpenKey(u"Software\\Locked"_s, false));
    changing.SetAccess(KEY_ALL_ACCESS);
    EXPECT_THROW(changing.WriteBool(u"Flag"_s, true), ERegistryException);
    ASSERT_TRUE(changing.OpenKey(u"\\Software\\Locked"_s, false));
    changing.WriteBool(u"Flag"_s, true);
    // Opening read-only sets the mask to KEY_READ.
    EXPECT_TRUE(changing.OpenKeyReadOnly(u"\\Software\\Locked"_s));
    EXPECT_EQ(changing.Access(), KEY_READ);
    EXPECT_TRUE(changing.ReadBool(u"Flag"_s));
    EXPECT_THROW(changing.WriteBool(u"Flag"_s, true), ERegistryException);
}

TEST_F(Registry, ProgramsWritingAtOnceKeepEachOthersChanges) {
    constexpr int Count = 60;
    const QStringList names{u"First"_s, u"Second"_s, u"Third"_s};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& name : names) {
        auto& writer = writers.emplace_back(std::make_unique<QProcess>());
        writer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer->start(QStringLiteral(WRENFOLD_REGISTRY_WRITER), {name, QString::number(Count)});
    }
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        ASSERT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0);
    }

    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(u"Software\\Shared"_s, false));
    QStringList values;
    registry.GetValueNames(values);
    EXPECT_EQ(values.size(), Count * names.size());
    for (const QString& name : names) {
        EXPECT_EQ(KeyNamesOf(u"Software\\Shared\\"_s + name).size(), Count) << qPrintable(name);
        for (int i = 0; i < Count; ++i) {
            ASSERT_TRUE(registry.OpenKey(u"\\Software\\Shared\\%1\\Key%2"_s.arg(name).arg(i), false))
                << qPrintable(name) << i;
            EXPECT_EQ(registry.ReadInteger(u"Index"_s), i);
            ASSERT_TRUE(registry.OpenKey(u"\\Software\\Shared"_s, false));
            EXPECT_EQ(registry.ReadString(name + QString::number(i)), name);
        }
    }
}

TEST_F(Registry, ReadsTheDocumentedFileForm) {
    WriteTestBytes(HiveFile(HKEY_CURRENT_USER), R"({
        "hive": "HKEY_CURRENT_USER",
        "version": 1,
        "root": { "keys": { "Software": {
            "keys": { "Empty": {} },
            "values": { "Enabled": 1, "Title": "A text", "Low": -2147483648 }
        } } }
    })");
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(u"Software"_s, false));
    EXPECT_TRUE(registry.ReadBool(u"Enabled"_s));
    EXPECT_EQ(registry.ReadString(u"Title"_s), u"A text"_s);
    EXPECT_EQ(registry.ReadInteger(u"Low"_s), -2147483647 - 1);
    EXPECT_EQ(KeyNamesOf(u"Software"_s), QStringList{u"Empty"_s});
}

TEST_F(Registry, ADamagedHiveIsReportedAndKeptWhileTheOtherRootsWork) {
    {
        TRegistry machine;
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(machine.OpenKey(u"Software\\Machine"_s, true));
        machine.WriteInteger(u"Count"_s, 5);
    }
    const QString user = HiveFile(HKEY_CURRENT_USER);
    const std::pair<QByteArray, QString> damaged[] = {
        {"{ \"version\": 1, \"root\": { \"keys\": ", u" at offset "_s},
        {"[1, 2]", u"the document is not an object"_s},
        {R"({"version": 2, "root": {}})", u"unsupported version 2"_s},
        {R"({"root": {}})", u"no version number"_s},
        {R"({"version": 1})", u"the root key is missing"_s},
        {R"({"version": 1, "root": {"value": {"A": 1}}})", u"the root key has an unknown member \"value\""_s},
        {R"({"version": 1, "root": {"keys": {"A": {}, "a": {}}}})", u"the root key has two subkeys named"_s},
        {R"({"version": 1, "root": {"keys": {"A": {"values": {"On": true}}}}})",
         u"value \"On\" of key \"A\" is neither a 32-bit integer nor a text"_s},
        {R"({"version": 1, "root": {"values": {"Big": 4294967296}}})", u"value \"Big\" of the root key"_s},
        {R"({"version": 1, "root": {"values": {"Half": 0.5}}})", u"value \"Half\" of the root key"_s},
        {R"({"version": 1, "root": {"keys": {"A\\B": {}}}})", u"the root key has a subkey named \"A\\B\""_s},
    };
    for (const auto& [text, reason] : damaged) {
        SCOPED_TRACE(text.toStdString());
        WriteTestBytes(user, text);
        const QString expected = u"Registry file \"%1\" is damaged and is left as it is: "_s.arg(user);
        const std::function<void()> actions[] = {
            [] { TRegistry().KeyExists(u"Software"_s); },
            [] { TRegistry().OpenKey(u"Software\\New"_s, true); },
            [] { TRegistry().DeleteKey(u"A"_s); },
        };
        for (const auto& action : actions) {
            const QString message = ErrorOf<ERegistryException>(action);
            EXPECT_TRUE(message.startsWith(expected)) << qPrintable(message);
            EXPECT_TRUE(message.contains(reason)) << qPrintable(message);
        }
        EXPECT_EQ(ReadTestBytes(user), text) << "never written over";

        TRegistry machine;
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(machine.OpenKey(u"Software\\Machine"_s, false));
        EXPECT_EQ(machine.ReadInteger(u"Count"_s), 5);
        machine.WriteString(u"Last"_s, QString::fromUtf8(text));
    }

    // A hive file that cannot be read at all is reported too; an empty one is an empty hive.
    QFile::remove(user);
    ASSERT_TRUE(QDir(RegistryDir()).mkdir(u"HKEY_CURRENT_USER.json"_s));
    EXPECT_TRUE(ErrorOf<ERegistryException>([] {
                    TRegistry().KeyExists(u"Software"_s);
                }).startsWith(u"Unable to read registry file \"%1\": "_s.arg(user)));
    ASSERT_TRUE(QDir(RegistryDir()).rmdir(u"HKEY_CURRENT_USER.json"_s));
    WriteTestBytes(user, " \n");
    EXPECT_TRUE(TRegistry().OpenKey(u"Software\\Fresh"_s, true));
}

TEST(RegistryFolder, ComesFromTheVariableOrTheUsersConfigurationFolder) {
    TEnvironment environment;
    environment.Set("HOME", u"/home/someone"_s);
    environment.Set("WRENFOLD_REGISTRY_DIR", u"/tmp/own registry"_s);
    environment.Set("XDG_CONFIG_HOME", u"/cfg"_s);
    EXPECT_EQ(RegistryFolder(), u"/tmp/own registry"_s);
    environment.Unset("WRENFOLD_REGISTRY_DIR");
    EXPECT_EQ(RegistryFolder(), u"/cfg/KEST Products/registry"_s);
    environment.Set("XDG_CONFIG_HOME", u"relative/cfg"_s);
    EXPECT_EQ(RegistryFolder(), u"/home/someone/.config/KEST Products/registry"_s);
    environment.Unset("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFolder(), u"/home/someone/.config/KEST Products/registry"_s);
}
