#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/TempHome.h"
#include "pictures/JpegFolderListing.h"

namespace fs = std::filesystem;
using namespace sorvane;
using test::WriteFile;

TEST(JpegFolder, ListingTakesJpegFilesInNameOrder) {
    test::TempHome home;
    for (const char* n : {"b.JPG", "a.jpg", "C.jpg", "d.JpG", ".jpg", "pic.bmp", "pic.png",
                          "x.jpeg", "y.jpg.png", "jpg"})
        WriteFile(home / "in" / n, "x");
    fs::create_directories(home / "in/sub.jpg");
    EXPECT_EQ(ListJpegNames((home / "in").string()),
              (std::vector<std::string>{".jpg", "a.jpg", "b.JPG", "C.jpg", "d.JpG"}));
    EXPECT_TRUE(ListJpegNames((home / "nowhere").string()).empty());
}
