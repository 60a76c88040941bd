#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "common/TempHome.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

TEST(AtomicFileWindows, ReplacesAnExistingFileWithTheExactBytes) {
    TempHome home;
    const std::string path = (home / "config.dat").string();
    WriteFileAtomically(path, std::string(10000, 'a'));
    // CR LF, a lone LF, a Ctrl-Z and a NUL go through untranslated.
    const std::string bytes("1\r\n2\n\x1A\0end", 9);
    WriteFileAtomically(path, bytes);
    EXPECT_EQ(ReadWholeFile(path), bytes);
    EXPECT_EQ(fs::file_size(path), 9u);
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(home.Root())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 7u) << "the six XDG folders and the file, no temporaries";
}

TEST(AtomicFileWindows, AFileThatCannotBeReplacedKeepsItsContent) {
    TempHome home;
    const std::string path = (home / "config.dat").string();
    WriteFileAtomically(path, "old");
    // Another program holds the file open without sharing deletion.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        WriteFileAtomically(path, "new");
        ADD_FAILURE() << "replacing a held file passed";
    } catch (const Error& e) {
        EXPECT_NE(e.Description().find("Could not replace"), std::string::npos) << e.what();
    }
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), "old");
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(home.Root())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 7u) << "the temporary file was removed";
    WriteFileAtomically(path, "new");
    EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(AtomicFileWindows, AMissingFolderIsAClearError) {
    TempHome home;
    EXPECT_THROW(WriteFileAtomically((home / "no folder\\config.dat").string(), "x"), Error);
    EXPECT_THROW(ReadWholeFile((home / "absent.dat").string()), Error);
}

}  // namespace
}  // namespace sorvane::test
