#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "common/TempHome.h"
#include "pictures/JpegFolderListing.h"
#include "pictures/PictureFileCopy.h"
#include "pictures/PictureSize.h"

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

    EXPECT_EQ(CopyPictureFile((home / "new.jpg").string(), store + "a.jpg", true).Status,
              CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/a.jpg"), "new bytes");

    EXPECT_EQ(CopyPictureFile((home / "new.jpg").string(), store + "b.jpg", true).Status,
              CopyStatus::TargetExists);
    EXPECT_EQ(ReadFile(home / "images/b.jpg"), "old bytes");

    EXPECT_EQ(CopyPictureFile((home / "new.jpg").string(), store + "b.jpg", false).Status,
              CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/b.jpg"), "new bytes");
    EXPECT_EQ(StoreNames(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(Files, CopyOntoItselfKeepsTheFile) {
    WriteFile(home / "images/self.jpg", "bytes");
    const std::string path = store + "self.jpg";
    EXPECT_EQ(CopyPictureFile(path, path, true).Status, CopyStatus::TargetExists);
    EXPECT_EQ(CopyPictureFile(path, path, false).Status, CopyStatus::Copied);
    EXPECT_EQ(ReadFile(home / "images/self.jpg"), "bytes");
}

TEST_F(Files, FailuresOtherThanAnExistingTargetSayWhyAndSpoilNothing) {
    WriteFile(home / "images/kept.jpg", "old bytes");
    const CopyResult missing =
        CopyPictureFile((home / "gone.jpg").string(), store + "kept.jpg", false);
    EXPECT_EQ(missing.Status, CopyStatus::Failed);
    EXPECT_NE(missing.Reason.find("No such file"), std::string::npos) << missing.Reason;
    EXPECT_EQ(ReadFile(home / "images/kept.jpg"), "old bytes");

    fs::create_directories(home / "folder.jpg");
    EXPECT_EQ(CopyPictureFile((home / "folder.jpg").string(), store + "f.jpg", true).Status,
              CopyStatus::Failed);

    // The rename into place fails: the temporary copy goes again.
    WriteFile(home / "new.jpg", "new bytes");
    fs::create_directories(home / "images/taken.jpg/inside");
    EXPECT_EQ(CopyPictureFile((home / "new.jpg").string(), store + "taken.jpg", false).Status,
              CopyStatus::Failed);
    EXPECT_EQ(StoreNames(), (std::vector<std::string>{"kept.jpg", "taken.jpg"}));

    EXPECT_EQ(CopyPictureFile((home / "new.jpg").string(), (home / "nostore/x.jpg").string(), true)
                  .Status,
              CopyStatus::Failed);
}

TEST_F(Files, UnreadableSourceFailsAndReadOnlySourceGivesAWritableCopy) {
    WriteFile(home / "ro.jpg", "bytes");
    fs::permissions(home / "ro.jpg", fs::perms::owner_read);
    ASSERT_EQ(CopyPictureFile((home / "ro.jpg").string(), store + "ro.jpg", true).Status,
              CopyStatus::Copied);
    EXPECT_NE(fs::status(home / "images/ro.jpg").permissions() & fs::perms::owner_write,
              fs::perms::none);

    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    WriteFile(home / "secret.jpg", "bytes");
    fs::permissions(home / "secret.jpg", fs::perms::none);
    const CopyResult r = CopyPictureFile((home / "secret.jpg").string(), store + "s.jpg", true);
    EXPECT_EQ(r.Status, CopyStatus::Failed);
    EXPECT_FALSE(fs::exists(home / "images/s.jpg"));
}

TEST_F(Files, ListingTakesJpegFilesInNameOrder) {
    for (const char* n : {"b.JPG", "a.jpg", "C.jpg", "d.JpG", ".jpg", "pic.bmp", "pic.png",
                          "x.jpeg", "y.jpg.png", "jpg"})
        WriteFile(home / "in" / n, "x");
    fs::create_directories(home / "in/sub.jpg");
    EXPECT_EQ(ListJpegNames((home / "in").string()),
              (std::vector<std::string>{".jpg", "a.jpg", "b.JPG", "C.jpg", "d.JpG"}));
    EXPECT_TRUE(ListJpegNames((home / "nowhere").string()).empty());
}

namespace {

void SavePicture(const fs::path& path, int w, int h, const char* format) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format));
}

// A JPEG whose EXIF orientation says "turn a quarter clockwise to show".
void AddQuarterTurn(const fs::path& path) {
    std::string bytes = ReadFile(path);
    const std::string app1(
        "\xFF\xE1\x00\x22"
        "Exif\0\0"
        "MM\x00\x2A\x00\x00\x00\x08"
        "\x00\x01"
        "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
        "\x00\x00\x00\x00",
        36);
    bytes.insert(2, app1);
    WriteFile(path, bytes);
}

}  // namespace

TEST_F(Files, PictureSizeFromEveryFormatTheListTakes) {
    SavePicture(home / "p.jpg", 30, 20, "JPEG");
    SavePicture(home / "p.png", 10, 40, "PNG");
    SavePicture(home / "p.bmp", 7, 5, "BMP");
    EXPECT_EQ(ReadPictureSize((home / "p.jpg").string()), (PixelSize{30, 20}));
    EXPECT_EQ(ReadPictureSize((home / "p.png").string()), (PixelSize{10, 40}));
    EXPECT_EQ(ReadPictureSize((home / "p.bmp").string()), (PixelSize{7, 5}));

    AddQuarterTurn(home / "p.jpg");
    EXPECT_EQ(ReadPictureSize((home / "p.jpg").string()), (PixelSize{20, 30}));

    WriteFile(home / "broken.jpg", "not a picture");
    EXPECT_FALSE(ReadPictureSize((home / "broken.jpg").string()));
    EXPECT_FALSE(ReadPictureSize((home / "missing.jpg").string()));
}
