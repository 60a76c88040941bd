// What the Windows backend itself promises beyond the shared accessor suites:
// the result codes of the system come through unchanged, texts keep their
// bytes, and nothing reaches a key by a number that is not a root.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/PosixEnv.h"
#include "registry/WindowsRegistryFactory.h"

namespace sorvane::test {
namespace {

class WindowsRegistry : public ::testing::Test {
  protected:
    std::shared_ptr<RegistryBackend> backend = std::make_shared<IsolatedWindowsRegistry>();

    std::unique_ptr<RegistryKey> Create(const std::string& path, uint32_t access = KeyAllWrite) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(backend->CreateKey(HKeyCurrentUser, path, access, key), RegSuccess);
        return key;
    }
};

TEST_F(WindowsRegistry, OnlyPredefinedRootsAreAccepted) {
    std::unique_ptr<RegistryKey> key;
    for (uint32_t root : {0u, 0x1234u, 0x7FFFFFFFu, 0x80000007u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(root);
        EXPECT_EQ(backend->OpenKey(root, "Software", KeyQueryValue, key), RegInvalidHandle);
        EXPECT_EQ(backend->CreateKey(root, "Software\\X", KeyAllWrite, key), RegInvalidHandle);
        EXPECT_EQ(backend->DeleteKey(root, "Software\\X"), RegInvalidHandle);
        EXPECT_FALSE(key);
    }
    // The sign-extended form of the 64-bit handles reaches the real root.
    Create("Software\\Rooted");
    EXPECT_EQ(backend->OpenKey(HKeyCurrentUser, "Software\\Rooted", KeyQueryValue, key),
              RegSuccess);
}

TEST_F(WindowsRegistry, ResultCodesAreTheSystems) {
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(backend->OpenKey(HKeyCurrentUser, "Software\\Missing", KeyQueryValue, key),
              RegFileNotFound);
    auto readOnly = Create("Software\\Codes");
    readOnly.reset();
    ASSERT_EQ(backend->OpenKey(HKeyCurrentUser, "Software\\Codes", KeyQueryValue, key), RegSuccess);
    // Rights asked for are the rights given.
    EXPECT_EQ(backend->SetValue(*key, "v", RegSz, {'x', 0}), RegAccessDenied);
    uint32_t type = 0, size = 0;
    EXPECT_EQ(backend->QueryValue(*key, "absent", type, nullptr, size), RegFileNotFound);
    std::string name;
    EXPECT_EQ(backend->EnumValue(*key, 0, name), RegNoMoreItems);
    // Enumerating sub-keys needs its own right.
    EXPECT_EQ(backend->EnumKey(*key, 0, name), RegAccessDenied);
    EXPECT_NE(backend->ResultText(RegAccessDenied).find("ccess"), std::string::npos)
        << backend->ResultText(RegAccessDenied);
}

TEST_F(WindowsRegistry, SizeQueryAndReadAgree) {
    auto key = Create("Software\\Sizes");
    const std::string text = "C:\\Documents and Settings\\ann\\My Documents\\My Pictures";
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    ASSERT_EQ(backend->SetValue(*key, "Path", RegSz, bytes), RegSuccess);
    uint32_t type = 0, size = 0;
    ASSERT_EQ(backend->QueryValue(*key, "Path", type, nullptr, size), RegSuccess);
    EXPECT_EQ(type, RegSz);
    EXPECT_GE(size, bytes.size()) << "the size asked for first is enough to read the value";
    std::vector<uint8_t> data;
    ASSERT_EQ(backend->QueryValue(*key, "Path", type, &data, size), RegSuccess);
    EXPECT_EQ(data, bytes);
    EXPECT_EQ(size, bytes.size());

    // Texts in the upper half of the code page come back byte for byte.
    const std::vector<uint8_t> upper = {'c', 0xE9, 'l', 0xE8, 'b', 'r', 'e', 0};
    ASSERT_EQ(backend->SetValue(*key, "Accents", RegSz, upper), RegSuccess);
    ASSERT_EQ(backend->QueryValue(*key, "Accents", type, &data, size), RegSuccess);
    EXPECT_EQ(data, upper);
}

TEST_F(WindowsRegistry, ValuesAndKeysEnumerateWithLongNames) {
    auto key = Create("Software\\Long", KeyAllWrite);
    const std::string longName(200, 'n');
    ASSERT_EQ(backend->SetValue(*key, "short", RegDword, {1, 0, 0, 0}), RegSuccess);
    ASSERT_EQ(backend->SetValue(*key, longName, RegDword, {2, 0, 0, 0}), RegSuccess);
    // Wine's narrow calls take paths of up to 260 characters.
    Create("Software\\Long\\" + std::string(200, 'k'));
    std::vector<std::string> names;
    std::string name;
    for (uint32_t i = 0; backend->EnumValue(*key, i, name) == RegSuccess; ++i)
        names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{longName, "short"}));
    ASSERT_EQ(backend->EnumKey(*key, 0, name), RegSuccess);
    EXPECT_EQ(name, std::string(200, 'k'));
    EXPECT_EQ(backend->EnumKey(*key, 1, name), RegNoMoreItems);
}

TEST_F(WindowsRegistry, ExpansionIsTheSystems) {
    setenv("SORVANE_WIN_A", "1", 1);
    unsetenv("SORVANE_WIN_B");
    EXPECT_EQ(backend->ExpandEnvironmentStrings("%SORVANE_WIN_A%\\x"), "1\\x");
    EXPECT_EQ(backend->ExpandEnvironmentStrings("%SORVANE_WIN_B%%SORVANE_WIN_A%"),
              "%SORVANE_WIN_B%1");
    EXPECT_EQ(backend->ExpandEnvironmentStrings(""), "");
    // Longer than the first guess at any buffer size.
    const std::string many(300, 'x');
    setenv("SORVANE_WIN_LONG", many.c_str(), 1);
    EXPECT_EQ(backend->ExpandEnvironmentStrings("[%SORVANE_WIN_LONG%%SORVANE_WIN_LONG%]"),
              "[" + many + many + "]");
}

// The emulation the other systems use gives what this system gives.
TEST_F(WindowsRegistry, PortableExpansionMatchesTheSystems) {
    setenv("SORVANE_WIN_A", "1", 1);
    unsetenv("SORVANE_WIN_B");
    WindowsRegistryBackend system;
    RegistryBackend& portable = system;
    for (const char* text :
         {"%SORVANE_WIN_A%%SORVANE_WIN_B%", "%SORVANE_WIN_B%%SORVANE_WIN_A%", "%", "a%b",
          "%%SORVANE_WIN_A%", "%SORVANE_WIN_A", "%%", "%SORVANE_WIN_A%%",
          "x%SORVANE_WIN_B%y%SORVANE_WIN_A%z", "%%%SORVANE_WIN_A%%%", "% SORVANE_WIN_A%"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(portable.RegistryBackend::ExpandEnvironmentStrings(text),
                  system.ExpandEnvironmentStrings(text));
    }
}

}  // namespace
}  // namespace sorvane::test
