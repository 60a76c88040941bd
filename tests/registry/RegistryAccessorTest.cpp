#include <algorithm>
#include <cstdlib>

#include "registry/BackendFactories.h"

namespace sorvane::test {
namespace {

const std::string Section = "Software\\Tovik\\Desktop Sorvane";

template <typename F>
using Accessor = RegistryOnBackend<F>;
TYPED_TEST_SUITE(Accessor, BackendFactories);

TYPED_TEST(Accessor, MissingValueOrKeyGivesTheDefault) {
    auto reg = this->At(Section, "LastBrowseDir", RegSz);
    RegistryValue v = reg.Value();
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_EQ(v.ToText(), "");
    EXPECT_EQ(v.ToNumber(), 0);

    reg.SetDefault(RegistryValue("fallback"));
    EXPECT_EQ(reg.Value(), RegistryValue("fallback"));

    // The key now exists, the value still does not.
    this->At(Section, "Other", RegSz).SetValue(RegistryValue("x"));
    EXPECT_EQ(reg.Value(), RegistryValue("fallback"));
    EXPECT_EQ(reg.ValueType(), RegSz);
}

TYPED_TEST(Accessor, TextRoundTripsAndStoresItsTerminator) {
    auto reg = this->At(Section, "LastBrowseDir", RegSz);
    reg.SetValue(RegistryValue("/home/ann/Pictures/trips"));
    EXPECT_EQ(reg.Value(), RegistryValue("/home/ann/Pictures/trips"));

    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_EQ(this->LoadRaw(HKeyCurrentUser, Section, "LastBrowseDir", type, data), RegSuccess);
    EXPECT_EQ(type, RegSz);
    ASSERT_EQ(data.size(), 25u);
    EXPECT_EQ(data.back(), 0);

    // The empty text is written too.
    reg.SetValue(RegistryValue(""));
    EXPECT_EQ(reg.Value(), RegistryValue(""));
}

TYPED_TEST(Accessor, PercentRuleChoosesExpandableText) {
    setenv("SORVANE_REG_TEST", "/var/tmp", 1);
    unsetenv("SORVANE_REG_UNDEFINED");
    struct Case {
        const char* text;
        uint32_t stored;
        const char* readBack;
    } cases[] = {
        {"%SORVANE_REG_TEST%\\x", RegExpandSz, "/var/tmp\\x"},
        {"100%", RegSz, "100%"},
        {"%%", RegSz, "%%"},
        {"a %% b", RegSz, "a %% b"},
        {"%SORVANE_REG_UNDEFINED%/y", RegExpandSz, "%SORVANE_REG_UNDEFINED%/y"},
        // An undefined reference stays whole, and its closing sign closes it.
        {"%SORVANE_REG_UNDEFINED%SORVANE_REG_TEST%", RegExpandSz,
         "%SORVANE_REG_UNDEFINED%SORVANE_REG_TEST%"},
        {"%SORVANE_REG_UNDEFINED%%SORVANE_REG_TEST%", RegExpandSz,
         "%SORVANE_REG_UNDEFINED%/var/tmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto reg = this->At(Section, "Text", RegSz);
        reg.SetValue(RegistryValue(c.text));
        EXPECT_EQ(reg.Value().ToText(), c.readBack);
        EXPECT_EQ(reg.ValueType(), c.stored);
    }
    // Type 2 asked for but nothing to expand: stored as plain text.
    auto reg = this->At(Section, "Plain", RegExpandSz);
    reg.SetValue(RegistryValue("no references"));
    reg.Value();
    EXPECT_EQ(reg.ValueType(), RegSz);
}

TYPED_TEST(Accessor, NumbersAreWrittenOnlyFromNumbers) {
    auto reg = this->At(Section, "RecWidth", RegDword);
    reg.SetValue(RegistryValue("5"));  // a text: nothing written, nothing raised
    EXPECT_TRUE(reg.Value().IsEmpty());

    reg.SetValueType(RegDword);
    reg.SetValue(RegistryValue(int32_t{5}));
    EXPECT_EQ(reg.Value(), RegistryValue(int32_t{5}));

    // Big-endian asked for, little-endian written as a plain number.
    auto be = this->At(Section, "RecHeight", RegDwordBigEndian);
    be.SetValue(RegistryValue(int16_t{-2}));
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_EQ(this->LoadRaw(HKeyCurrentUser, Section, "RecHeight", type, data), RegSuccess);
    EXPECT_EQ(type, RegDword);
    EXPECT_EQ(data, (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(be.Value(), RegistryValue(int32_t{-2}));
}

TYPED_TEST(Accessor, ReadsBigEndianNumbersAndTextLists) {
    this->StoreRaw(Section, "Big", RegDwordBigEndian, {0x00, 0x00, 0x01, 0x02});
    auto big = this->At(Section, "Big", RegSz);
    EXPECT_EQ(big.Value(), RegistryValue(int32_t{258}));
    EXPECT_EQ(big.ValueType(), RegDwordBigEndian);

    this->StoreRaw(Section, "List", RegMultiSz, {'a', 0, 'b', 'c', 0, 0});
    auto list = this->At(Section, "List", RegSz);
    EXPECT_EQ(list.Value(), RegistryValue(std::string("a\0bc\0", 5)));

    // A text stored by someone else without its terminator keeps its last letter.
    this->StoreRaw(Section, "Bare", RegSz, {'a', 'b', 'c'});
    EXPECT_EQ(this->At(Section, "Bare", RegSz).Value(), RegistryValue("abc"));
}

TYPED_TEST(Accessor, BytesKeepTheirExactLength) {
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{0}, std::vector<uint8_t>{1, 0, 255, 7}}) {
        auto reg = this->At(Section, "Blob", RegBinary);
        reg.SetValue(RegistryValue(bytes));
        const RegistryValue back = reg.Value();
        ASSERT_TRUE(back.IsBytes());
        EXPECT_EQ(*back.Bytes(), bytes);
        EXPECT_EQ(back.ToNumber(), std::nullopt);
    }
}

TYPED_TEST(Accessor, WriteErrorsCarryNumberSourceAndMessage) {
    auto reg = this->At(Section, "Blob", RegBinary);
    try {
        reg.SetValue(RegistryValue("not bytes"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number, RegErrKeyFailure);
        EXPECT_EQ(e.Description(), "");
        EXPECT_EQ(e.Source, "");
    }

    auto text = this->At(Section, "Name", RegSz);
    text.SetValue(RegistryValue("first"));
    text.SetValueType(6);  // a type the accessor does not write
    try {
        text.SetValue(RegistryValue("second"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number, -2147194455);
        EXPECT_EQ(e.Source, "registry_tests.cRegistry");
        // The message names the last value that was written, not the refused one.
        EXPECT_EQ(e.Description(), "Failed to set registry value Key: '-2147483647',Section: '" +
                                       Section + "',Key: 'Name' to value: 'first'");
    }
    EXPECT_EQ(this->At(Section, "Name", RegSz).Value(), RegistryValue("first"));
}

TYPED_TEST(Accessor, KeysAreCreatedTestedAndDeleted) {
    auto reg = this->At("Software\\Sorvane Test\\Inner", "", RegSz);
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    // Names compare without regard to case, as on the registry.
    EXPECT_TRUE(this->At("SOFTWARE\\sorvane test\\INNER", "", RegSz).KeyExists());

    auto parent = this->At("Software\\Sorvane Test", "", RegSz);
    EXPECT_TRUE(parent.KeyExists());
    EXPECT_THROW(parent.DeleteKey(), Error);  // it still has a sub-key
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(parent.DeleteKey());

    try {
        parent.DeleteKey();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number, 26001);
        EXPECT_EQ(e.Description(),
                  "Failed to delete registry Key: '-2147483647',Section: 'Software\\Sorvane Test");
    }
}

TYPED_TEST(Accessor, DeleteValueReportsWhatFailed) {
    auto reg = this->At(Section, "Gone", RegSz);
    try {
        reg.DeleteValue();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number, 26001);
        EXPECT_EQ(e.Description(),
                  "Failed to open key '-2147483647',Section: '" + Section + "' for delete access");
    }
    reg.SetValue(RegistryValue("here"));
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_TRUE(reg.Value().IsEmpty());
    try {
        reg.DeleteValue();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Description(), "Failed to delete registry Key: '-2147483647',Section: '" +
                                       Section + "',Key: 'Gone");
    }
}

TYPED_TEST(Accessor, EnumeratesValuesAndSections) {
    std::vector<std::string> names{"stale"};
    int32_t count = 7;
    auto reg = this->At("Software\\Enum", "", RegSz);
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    for (const char* name : {"b", "a", "c"})
        this->At("Software\\Enum", name, RegSz).SetValue(RegistryValue("1"));
    for (const char* sub : {"Zed", "alpha", "Mid"})
        this->At(std::string("Software\\Enum\\") + sub, "", RegSz).CreateKey();
    this->At("Software\\Enum\\Mid\\Deeper", "", RegSz).CreateKey();

    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 3);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));

    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 3);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Mid", "Zed", "alpha"}));
}

TYPED_TEST(Accessor, HivesAreSeparate) {
    this->At("Software\\Same", "v", RegSz).SetValue(RegistryValue("user"));
    this->At("Software\\Same", "v", RegSz, HKeyLocalMachine).SetValue(RegistryValue("machine"));
    EXPECT_EQ(this->At("Software\\Same", "v", RegSz).Value(), RegistryValue("user"));
    EXPECT_EQ(this->At("Software\\Same", "v", RegSz, HKeyLocalMachine).Value(),
              RegistryValue("machine"));
    EXPECT_TRUE(this->At("Software\\Same", "v", RegSz, HKeyClassesRoot).Value().IsEmpty());
}

TEST(RegistryValueTest, ConversionsCallersRelyOn) {
    EXPECT_EQ(RegistryValue().ToText(), "");
    EXPECT_EQ(RegistryValue().ToNumber(), 0);
    EXPECT_EQ(RegistryValue(int32_t{-7}).ToText(), "-7");
    EXPECT_EQ(RegistryValue(" 800 ").ToNumber(), 800);
    EXPECT_EQ(RegistryValue("800px").ToNumber(), std::nullopt);
    EXPECT_EQ(RegistryValue("99999999999").ToNumber(), std::nullopt);
    EXPECT_NE(RegistryValue("5"), RegistryValue(int32_t{5}));
}

}  // namespace
}  // namespace sorvane::test
