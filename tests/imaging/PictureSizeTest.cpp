#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "common/TempHome.h"
#include "imaging/PictureHeader.h"

namespace fs = std::filesystem;
using namespace sorvane;
using test::ReadFile;
using test::TempHome;
using test::WriteFile;

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

TEST(PictureSize, FromEveryFormatTheListTakes) {
    TempHome home;
    SavePicture(home / "p.jpg", 30, 20, "JPEG");
    SavePicture(home / "p.png", 10, 40, "PNG");
    SavePicture(home / "p.bmp", 7, 5, "BMP");
    EXPECT_EQ(ReadPictureSize((home / "p.jpg").string()), (PixelSize{30, 20}));
    EXPECT_EQ(ReadPictureSize((home / "p.png").string()), (PixelSize{10, 40}));
    EXPECT_EQ(ReadPictureSize((home / "p.bmp").string()), (PixelSize{7, 5}));

    // File names are bytes: one that is not UTF-8 is measured all the same.
    const std::string latin1 = (home / "s").string() + "\xE9" + "a.jpg";
    fs::copy_file(home / "p.jpg", latin1);
    EXPECT_EQ(ReadPictureSize(latin1), (PixelSize{30, 20}));

    AddQuarterTurn(home / "p.jpg");
    EXPECT_EQ(ReadPictureSize((home / "p.jpg").string()), (PixelSize{20, 30}));

    // A picture under another name is measured as nothing, but previewed.
    fs::copy_file(home / "p.png", home / "p.txt");
    EXPECT_FALSE(ReadPictureSize((home / "p.txt").string()));
    EXPECT_EQ(ReadPictureSize((home / "p.txt").string(), true), (PixelSize{10, 40}));

    WriteFile(home / "broken.jpg", "not a picture");
    EXPECT_FALSE(ReadPictureSize((home / "broken.jpg").string()));
    EXPECT_FALSE(ReadPictureSize((home / "missing.jpg").string()));
}
