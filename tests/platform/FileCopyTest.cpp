#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/FilePermissionsApply.h"
#include "common/Needs.h"
#include "common/TempHome.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace fs = std::filesystem;
using namespace sorvane;
using test::ReadFile;
using test::WriteFile;

namespace {

struct Files : ::testing::Test {
    test::TempHome home;
    std::string store = (home / "images").string() + "/";
    Files() { fs::create_directories(home / "images"); }
    // Nothing but the named files: no temporary copy left behind.
    std::vector<std::string> StoreNames() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(home / "images"))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

TEST_F(Files, CopyRespectsFailIfExists) {
    WriteFile(home / "new.jpg", "new bytes");
    WriteFile(home / "images/b.jpg", "old bytes");

    EXPECT_EQ(CopyFileAtomically((home / "new.jpg").string(), store + "a.jpg", true).Status,
              CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/a.jpg"), "new bytes");

    EXPECT_EQ(CopyFileAtomically((home / "new.jpg").string(), store + "b.jpg", true).Status,
              CopyStatus::TargetExists);
    EXPECT_EQ(ReadFile(home / "images/b.jpg"), "old bytes");

    EXPECT_EQ(CopyFileAtomically((home / "new.jpg").string(), store + "b.jpg", false).Status,
              CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/b.jpg"), "new bytes");
    EXPECT_EQ(StoreNames(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

// Any name the file system takes can be copied and written, up to its limit:
// the temporary name of a long one is cut short, never too long.
TEST_F(Files, NamesUpToTheFileSystemsLimit) {
    WriteFile(home / "new.jpg", "new bytes");
    for (const size_t length : {size_t{233}, size_t{255}}) {
        const std::string name = std::string(length - 4, 'n') + ".jpg";
        EXPECT_EQ(CopyFileAtomically((home / "new.jpg").string(), store + name, false).Status,
                  CopyStatus::Copied)
            << length;
        EXPECT_NO_THROW(WriteFileAtomically(store + name, "again")) << length;
        EXPECT_EQ(ReadFile(home / "images" / name), "again");
    }
    EXPECT_EQ(StoreNames().size(), 2u) << "no temporary file left";
}

// A copy onto a full disk names the cause, and leaves no part behind.
TEST_F(Files, AFullDiskIsNamedAsSuch) {
    const fs::path small = home / "small";
    fs::create_directories(small);
    const bool mounted = ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") == 0;
    SORVANE_NEEDS(mounted, "root, to mount a small file system");
    WriteFile(home / "big.jpg", std::string(256 * 1024, 'b'));
    const CopyResult r =
        CopyFileAtomically((home / "big.jpg").string(), (small / "b.jpg").string(), false);
    EXPECT_EQ(r.Status, CopyStatus::Failed);
    EXPECT_EQ(r.Reason, "No space left on device");
    EXPECT_TRUE(fs::is_empty(small));
    ::umount2(small.c_str(), MNT_DETACH);
}

TEST_F(Files, CopyOntoItselfKeepsTheFile) {
    WriteFile(home / "images/self.jpg", "bytes");
    const std::string path = store + "self.jpg";
    EXPECT_EQ(CopyFileAtomically(path, path, true).Status, CopyStatus::TargetExists);
    EXPECT_EQ(CopyFileAtomically(path, path, false).Status, CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/self.jpg"), "bytes");
}

TEST_F(Files, FailuresOtherThanAnExistingTargetSayWhyAndSpoilNothing) {
    WriteFile(home / "images/kept.jpg", "old bytes");
    const CopyResult missing =
        CopyFileAtomically((home / "gone.jpg").string(), store + "kept.jpg", false);
    EXPECT_EQ(missing.Status, CopyStatus::Failed);
    EXPECT_NE(missing.Reason.find("No such file"), std::string::npos) << missing.Reason;
    EXPECT_EQ(ReadFile(home / "images/kept.jpg"), "old bytes");

    fs::create_directories(home / "folder.jpg");
    EXPECT_EQ(CopyFileAtomically((home / "folder.jpg").string(), store + "f.jpg", true).Status,
              CopyStatus::Failed);

    // The rename into place fails: the temporary copy goes again.
    WriteFile(home / "new.jpg", "new bytes");
    fs::create_directories(home / "images/taken.jpg/inside");
    EXPECT_EQ(CopyFileAtomically((home / "new.jpg").string(), store + "taken.jpg", false).Status,
              CopyStatus::Failed);
    EXPECT_EQ(StoreNames(), (std::vector<std::string>{"kept.jpg", "taken.jpg"}));

    EXPECT_EQ(
        CopyFileAtomically((home / "new.jpg").string(), (home / "nostore/x.jpg").string(), true)
            .Status,
        CopyStatus::Failed);
}

TEST_F(Files, UnreadableSourceFailsAndReadOnlySourceGivesAWritableCopy) {
    WriteFile(home / "ro.jpg", "bytes");
    fs::permissions(home / "ro.jpg", fs::perms::owner_read);
    ASSERT_EQ(CopyFileAtomically((home / "ro.jpg").string(), store + "ro.jpg", true).Status,
              CopyStatus::Copied);
    EXPECT_NE(fs::status(home / "images/ro.jpg").permissions() & fs::perms::owner_write,
              fs::perms::none);

    const FilePermissionsApply asUser;
    SORVANE_NEEDS(asUser.Applies(), "root's file permission override can't be dropped here");
    WriteFile(home / "secret.jpg", "bytes");
    fs::permissions(home / "secret.jpg", fs::perms::none);
    const CopyResult r = CopyFileAtomically((home / "secret.jpg").string(), store + "s.jpg", true);
    EXPECT_EQ(r.Status, CopyStatus::Failed);
    EXPECT_FALSE(fs::exists(home / "images/s.jpg"));
}

TEST_F(Files, WholeFilesAreReadByteForByteAndAFolderIsNoFile) {
    const std::string bytes("a\0b\r\n\xE9", 6);
    WriteFileAtomically(store + "x.dat", bytes, Durability::Unflushed);
    EXPECT_EQ(ReadWholeFile(store + "x.dat"), bytes);
    EXPECT_EQ(ReadWholeFileIfPossible(store + "x.dat"), bytes);
    EXPECT_THROW(ReadWholeFile(store), Error);
    EXPECT_FALSE(ReadWholeFileIfPossible(store + "none.dat"));
}
