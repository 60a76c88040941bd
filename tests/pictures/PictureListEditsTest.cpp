#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/TempHome.h"
#include "pictures/PictureListEdits.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

// "ABCD" with the selected letters in `selected`.
std::vector<PictureEntry> List(const std::string& names, const std::string& selected) {
    std::vector<PictureEntry> list;
    for (size_t i = 0; i < names.size(); ++i)
        list.push_back({std::string(1, names[i]), static_cast<int32_t>(i),
                        selected.find(names[i]) != std::string::npos});
    return list;
}

// The list as "B*A C": names in order, selected ones starred.
std::string Show(const std::vector<PictureEntry>& list) {
    std::string s;
    for (const auto& e : list) s += e.FileName + (e.Selected ? "*" : "");
    return s;
}

std::string Up(const std::string& names, const std::string& selected, int* listIndex = nullptr) {
    auto list = List(names, selected);
    int index = listIndex ? *listIndex : -1;
    MoveSelectedUp(list, index);
    if (listIndex) *listIndex = index;
    return Show(list);
}

std::string Down(const std::string& names, const std::string& selected) {
    auto list = List(names, selected);
    int index = -1;
    MoveSelectedDown(list, index);
    return Show(list);
}

}  // namespace

TEST(MoveSelected, BlocksMoveAsBlocks) {
    EXPECT_EQ(Up("ABC", "B"), "B*AC");
    EXPECT_EQ(Up("ABCD", "BC"), "B*C*AD");
    EXPECT_EQ(Up("ABC", "AB"), "B*A*C");
    EXPECT_EQ(Up("ABCD", "AC"), "A*C*BD");
    EXPECT_EQ(Up("ABC", "A"), "A*BC");
    EXPECT_EQ(Down("ABC", "BC"), "AC*B*");
    EXPECT_EQ(Down("ABCD", "BC"), "ADB*C*");
    EXPECT_EQ(Down("ABC", "C"), "ABC*");
    EXPECT_EQ(Down("ABCD", "BD"), "ACB*D*");
    EXPECT_EQ(Up("", ""), "");
    EXPECT_EQ(Down("A", "A"), "A*");
}

TEST(MoveSelected, CurrentEntryFollowsItsPicture) {
    int index = 2;  // C, selected, moves up
    EXPECT_EQ(Up("ABCD", "BC", &index), "B*C*AD");
    EXPECT_EQ(index, 1);
    index = 0;  // A, not selected, is pushed down past the block
    EXPECT_EQ(Up("ABCD", "BC", &index), "B*C*AD");
    EXPECT_EQ(index, 2);
}

// A straightforward remove-and-insert version of the moves to compare with.
void ReferenceUp(std::vector<PictureEntry>& list) {
    std::vector<int> moved;
    for (int i = 1; i < static_cast<int>(list.size()); ++i) {
        if (!list[i].Selected) continue;
        PictureEntry e = list[i];
        list.erase(list.begin() + i);
        e.Selected = false;
        list.insert(list.begin() + i - 1, e);
        moved.push_back(i - 1);
    }
    for (int m : moved) list[m].Selected = true;
}

TEST(MoveSelected, AnySelectionMatchesEntryByEntryMoving) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::vector<PictureEntry> list;
        for (int i = 0; i < 300; ++i)
            list.push_back({"p" + std::to_string(i), i % 55, random() % 3 == 0});
        auto expected = list;
        ReferenceUp(expected);
        int index = -1;
        auto mirrored = list;
        MoveSelectedUp(list, index);
        ASSERT_EQ(list, expected);
        // Down is Up seen from the other end.
        std::reverse(mirrored.begin(), mirrored.end());
        auto mirroredExpected = mirrored;
        ReferenceUp(mirroredExpected);
        std::reverse(mirrored.begin(), mirrored.end());
        std::reverse(mirroredExpected.begin(), mirroredExpected.end());
        MoveSelectedDown(mirrored, index);
        ASSERT_EQ(mirrored, mirroredExpected);
    }
}

struct RemoveFixture : ::testing::Test {
    test::TempHome home;
    std::vector<PictureEntry> pictures;
    int listIndex = -1;
    RemoveFixture() {
        fs::create_directories(home / "images");
        fs::create_directories(home / "Pictures/Sorvane");
    }
    void Remove() {
        RemoveSelectedPictures(pictures, listIndex, (home / "Pictures/Sorvane").string() + "/",
                               (home / "images").string() + "/");
    }
    void Store(const std::string& name, bool prepared = true) {
        test::WriteFile(home / "images" / name, "stored");
        if (prepared) test::WriteFile(home / "Pictures/Sorvane" / name, "prepared");
    }
    bool Stored(const std::string& name) { return fs::exists(home / "images" / name); }
    bool Prepared(const std::string& name) { return fs::exists(home / "Pictures/Sorvane" / name); }
};

TEST_F(RemoveFixture, DeletesBothCopiesOfSelectedEntriesOnly) {
    Store("a.jpg");
    Store("b.jpg", false);  // never prepared: the stored file still goes
    Store("c.jpg");
    pictures = {{"a.jpg", 1, false}, {"b.jpg", 2, true}, {"c.jpg", 3, true}};
    listIndex = 2;
    Remove();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].FileName, "a.jpg");
    EXPECT_EQ(listIndex, -1);
    EXPECT_TRUE(Stored("a.jpg") && Prepared("a.jpg"));
    EXPECT_FALSE(Stored("b.jpg") || Stored("c.jpg") || Prepared("c.jpg"));
}

TEST_F(RemoveFixture, KeepsFilesAnotherEntryStillNames) {
    Store("x.jpg");
    Store("y.jpg");
    pictures = {{"x.jpg", 1, true}, {"y.jpg", 2, true}, {"x.jpg", 3, false}, {"y.jpg", 4, true}};
    listIndex = 2;
    Remove();
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].TransitionIndex, 3);
    EXPECT_EQ(listIndex, 0);
    EXPECT_TRUE(Stored("x.jpg") && Prepared("x.jpg"));
    EXPECT_FALSE(Stored("y.jpg") || Prepared("y.jpg"));  // both entries for y went
}

TEST_F(RemoveFixture, CarriesOnPastFilesThatCannotGoAndNeverLeavesItsFolders) {
    Store("last.jpg");
    fs::create_directories(home / "images/dir.jpg/inner");  // not a file: left alone
    test::WriteFile(home / "outside.jpg", "keep");
    pictures = {{"", 54, true},         {"../outside.jpg", 54, true},
                {"dir.jpg", 54, true},  {"missing.jpg", 54, true},
                {"last.jpg", 54, true}, {"..", 54, true}};
    Remove();
    EXPECT_TRUE(pictures.empty());
    EXPECT_FALSE(Stored("last.jpg"));
    EXPECT_TRUE(fs::exists(home / "outside.jpg"));
    EXPECT_TRUE(fs::exists(home / "images/dir.jpg/inner"));
    EXPECT_TRUE(fs::is_directory(home / "images"));
    EXPECT_TRUE(fs::is_directory(home / "Pictures/Sorvane"));
}

TEST_F(RemoveFixture, FullListWithScatteredSelection) {
    auto& list = pictures;
    for (int i = 0; i < 32767; ++i) list.push_back({"n" + std::to_string(i), 0, i % 3 != 0});
    listIndex = 30000;
    Remove();
    ASSERT_EQ(list.size(), 10923u);
    EXPECT_EQ(list[1].FileName, "n3");
    EXPECT_EQ(list.back().FileName, "n32766");
    EXPECT_EQ(listIndex, 10000);
}
