// The store over the Windows registry, in a scratch key of its own below HKEY_CURRENT_USER.
#include "Tessel/Rtl/Registry.h"
#include "Tessel/Rtl/WindowsRegistryBackend.h"
#include "support/PrintTo.h"

#include <QUuid>
#include <gtest/gtest.h>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

class WindowsRegistry : public ::testing::Test {
protected:
    void TearDown() override { Store.DeleteKey(Root, Scratch); }

    static constexpr HKEY Root = 0x80000001; // HKEY_CURRENT_USER
    TWindowsRegistryBackend Store;
    const QStringList Scratch = {u"Software"_s, u"Wrenfold tests"_s,
                                 QUuid::createUuid().toString(QUuid::WithoutBraces)};
    QStringList Key(const QStringList& ABelow) const { return Scratch + ABelow; }
};

} // namespace

TEST_F(WindowsRegistry, KeysAndTypedValuesRoundTripWithTheSystemsLetterCase) {
    EXPECT_FALSE(Store.OpenKey(Root, Key({}), 0x20019));
    EXPECT_EQ(Store.KeyNames(Root, Key({})), std::nullopt);
    ASSERT_TRUE(Store.CreateKey(Root, Key({u"Outer"_s, u"Inner"_s})));
    EXPECT_TRUE(Store.OpenKey(Root, Key({u"OUTER"_s}), 0x20019)) << "names ignore letter case";
    EXPECT_EQ(Store.KeyNames(Root, Key({})), QStringList{u"Outer"_s});

    const QStringList outer = Key({u"Outer"_s});
    ASSERT_TRUE(Store.WriteValue(Root, outer, u"Number"_s, TRegValue::FromInteger(-2147483647 - 1)));
    ASSERT_TRUE(Store.WriteValue(Root, outer, u"Text"_s, TRegValue::FromString(u"tab\there and é"_s)));
    ASSERT_TRUE(Store.WriteValue(Root, outer, u"Empty"_s, TRegValue::FromString(QString())));
    ASSERT_TRUE(Store.WriteValue(Root, outer, u"Retyped"_s, TRegValue::FromString(u"was text"_s)));
    ASSERT_TRUE(Store.WriteValue(Root, outer, u"retyped"_s, TRegValue::FromInteger(3)));
    EXPECT_FALSE(Store.WriteValue(Root, Key({u"Missing"_s}), u"X"_s, TRegValue::FromInteger(1)));

    EXPECT_EQ(Store.ReadValue(Root, outer, u"number"_s), TRegValue::FromInteger(-2147483647 - 1));
    EXPECT_EQ(Store.ReadValue(Root, outer, u"Text"_s), TRegValue::FromString(u"tab\there and é"_s));
    EXPECT_EQ(Store.ReadValue(Root, outer, u"Empty"_s), TRegValue::FromString(QString()));
    EXPECT_EQ(Store.ReadValue(Root, outer, u"Retyped"_s), TRegValue::FromInteger(3));
    EXPECT_EQ(Store.ReadValue(Root, outer, u"Missing"_s), std::nullopt);
    QStringList names = Store.ValueNames(Root, outer).value_or(QStringList());
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, (QStringList{u"Empty"_s, u"Number"_s, u"Retyped"_s, u"Text"_s}));

    EXPECT_TRUE(Store.DeleteValue(Root, outer, u"TEXT"_s));
    EXPECT_FALSE(Store.DeleteValue(Root, outer, u"Text"_s));
    EXPECT_EQ(Store.ReadValue(Root, outer, u"Text"_s), std::nullopt);
}

TEST_F(WindowsRegistry, DeletingAKeyTakesEverythingBelowIt) {
    ASSERT_TRUE(Store.CreateKey(Root, Key({u"A"_s, u"B"_s, u"C"_s})));
    ASSERT_TRUE(Store.CreateKey(Root, Key({u"A"_s, u"D"_s})));
    ASSERT_TRUE(Store.WriteValue(Root, Key({u"A"_s, u"B"_s}), u"V"_s, TRegValue::FromInteger(1)));
    ASSERT_TRUE(Store.CreateKey(Root, Key({u"Kept"_s})));
    EXPECT_TRUE(Store.DeleteKey(Root, Key({u"A"_s})));
    EXPECT_FALSE(Store.OpenKey(Root, Key({u"A"_s}), 0x20019));
    EXPECT_FALSE(Store.DeleteKey(Root, Key({u"A"_s})));
    EXPECT_EQ(Store.KeyNames(Root, Key({})), QStringList{u"Kept"_s});
    EXPECT_FALSE(Store.DeleteKey(Root, {})) << "the root key is never deleted";
}

TEST_F(WindowsRegistry, TheRegistryObjectWorksOverIt) {
    SetRegistryBackend(std::make_shared<TWindowsRegistryBackend>());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Scratch.join(u'\\') + u"\\Object"_s, true));
        registry.WriteString(u"Name"_s, u"value"_s);
        registry.WriteBool(u"On"_s, true);
    }
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(Scratch.join(u'\\') + u"\\Object"_s, false));
    EXPECT_EQ(registry.ReadString(u"Name"_s), u"value"_s);
    EXPECT_TRUE(registry.ReadBool(u"On"_s));
    SetRegistryBackend(nullptr);
}
