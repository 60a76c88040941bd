#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "common/FilePermissionsApply.h"
#include "common/Needs.h"
#include "common/TempHome.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/ShowLock.h"
#include "platform/SystemColors.h"
#include "platform/Translate.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

TEST(OleColors, TranslationFollowsTheHighByte) {
    const auto& t = DefaultSystemColors();
    EXPECT_EQ(TranslateOleColor(0x00123456, t), 0x00123456u);
    EXPECT_EQ(TranslateOleColor(0x02123456, t), 0x00123456u) << "palette-relative";
    EXPECT_EQ(TranslateOleColor(0x80000001, t), t[1].Value) << "the desktop colour";
    EXPECT_EQ(TranslateOleColor(0x8000001E, t), t[30].Value);
    EXPECT_FALSE(TranslateOleColor(0x8000001F, t)) << "past the table";
    EXPECT_FALSE(TranslateOleColor(0x80010001, t));
    EXPECT_FALSE(TranslateOleColor(0x01000005, t)) << "palette index without a palette";
    EXPECT_FALSE(TranslateOleColor(0xFF000000, t));
}

TEST(Translate, FillsPlaceholdersInTheTranslationsOrder) {
    // A translation may put the values in another order.
    EXPECT_EQ(TrArg("%2 in %1", {"a", "b"}), "b in a");
    EXPECT_EQ(TrArg("%1 and %1 of %3", {"x"}), "x and x of %3");
    // A value holding a placeholder stays as it is (file names are the user's).
    EXPECT_EQ(TrArg("The file %1 could not be added: %2.", {"100%2.jpg", "full"}),
              "The file 100%2.jpg could not be added: full.");
    EXPECT_EQ(TrArg("100%", {"x"}), "100%");

    // Without a lookup the English text stands; with one, the core reads it.
    EXPECT_EQ(Tr("Sorvane", "Add Pictures"), "Add Pictures");
    SetTranslateFunction(
        [](const char*, const char* source) { return "<" + std::string(source) + ">"; });
    EXPECT_EQ(Tr("Sorvane", "Add Pictures"), "<Add Pictures>");
    SetTranslateFunction(nullptr);
}

// Texts kept aside and joined to values late are still looked up whole, with
// the values filled in after the lookup.
TEST(Translate, ErrorsFromFilesAndLocksAreLookedUp) {
    test::TempHome home;
    SetTranslateFunction(
        [](const char*, const char* source) { return "<" + std::string(source) + ">"; });
    const std::string missing = (home / "missing.dat").string();
    try {
        ReadWholeFile(missing);
        ADD_FAILURE() << "read a missing file";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "<Could not read \"" + missing + "\": " + std::strerror(ENOENT) + ">");
    }
    const std::string lock = (home / "show" / "lock").string();
    const ShowLock held(lock, "first", std::chrono::seconds(0));
    try {
        ShowLock(lock, "second", std::chrono::seconds(0));
        ADD_FAILURE() << "took a held lock";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_TRUE(text.starts_with("<first (process ")) << text;
        EXPECT_TRUE(text.ends_with("Try again once it has finished.>")) << text;
    }
    SetTranslateFunction(nullptr);
}

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporaries) {
    test::TempHome home;
    const std::string path = (home / "page.html").string();
    WriteFileAtomically(path, std::string(10000, 'a'));
    WriteFileAtomically(path, "short");
    EXPECT_EQ(test::ReadFile(path), "short");
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Root()), fs::directory_iterator()), 7)
        << "the six XDG folders and the page, nothing else";
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFile) {
    const FilePermissionsApply asUser;
    SORVANE_NEEDS(asUser.Applies(), "root's file permission override can't be dropped here");
    test::TempHome home;
    const fs::path dir = home / "locked";
    fs::create_directories(dir);
    test::WriteFile(dir / "config.dat", "old");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically((dir / "config.dat").string(), "new"), Error);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(test::ReadFile(dir / "config.dat"), "old");
}

TEST(AtomicFile, AWriteThatRunsOutOfSpaceKeepsTheOldFile) {
    // A file-size limit makes write() fail part-way, as a full disk does.
    test::TempHome home;
    const std::string path = (home / "config.dat").string();
    test::WriteFile(path, "old settings");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(WriteFileAtomically(path, std::string(100000, 'x')), Error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(test::ReadFile(path), "old settings");
    for (const auto& e : fs::directory_iterator(home.Root()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST(AtomicFile, MissingFolderIsAReadableError) {
    try {
        WriteFileAtomically("/nonexistent-sorvane/config.dat", "new");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-sorvane/config.dat"), std::string::npos);
    }
    EXPECT_THROW(ReadWholeFile("/nonexistent-sorvane/config.dat"), Error);
}

}  // namespace
