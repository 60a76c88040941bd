#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "common/FormAccess.h"
#include "common/TestPlatform.h"
#include "pictures/PictureAdder.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

const std::string AskPrefix = "ask: Overwrite Image?: The file ";
using A = OverwriteAnswer;

class PictureHandlers : public ::testing::Test {
  protected:
    TempHome home;
    TestPlatform fakes{home};
    ScriptedDialogs dialogs;
    MainForm form{fakes.Make(), dialogs};
    FormState& state = test::Setup(form);
    fs::path store = home / "data/desktop-sorvane/images";
    fs::path src = home / "photos";

    PictureHandlers() {
        auto& w = state.Window;
        w.PageFolder = fakes.folders->pictures;
        w.PictureStore = store.string() + "/";
        w.PreparedFolder = w.PageFolder + "/Sorvane/";
        w.PreviewPagePath = w.PageFolder + "/WP1.TMP.html";
        fs::create_directories(store);
        fs::create_directories(w.PreparedFolder);
        fs::create_directories(src);
    }

    void Source(const std::string& name, const std::string& bytes = "new") {
        WriteFile(src / name, bytes);
    }
    void Stored(const std::string& name, const std::string& bytes = "old") {
        WriteFile(store / name, bytes);
    }
    std::string StoredBytes(const std::string& name) { return ReadFile(store / name); }

    // The dialog's answer for several files of the source folder.
    void ChooseFiles(const std::vector<std::string>& names) {
        dialogs.OpenFileAnswers.push_back(ChosenFiles{src.string(), names});
    }
    void ChooseFile(const std::string& name) { ChooseFiles({name}); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : state.Settings.Pictures) names.push_back(e.FileName);
        return names;
    }
    std::vector<std::string> LogWith(const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const auto& l : dialogs.Log)
            if (l.starts_with(prefix)) lines.push_back(l);
        return lines;
    }
    std::vector<std::string> Questions() const { return LogWith(AskPrefix); }
};

TEST_F(PictureHandlers, OneFileCollisionAnsweredNoKeepsTheStoredFileAndStillLists) {
    state.Window.LastBrowseDir = "/start";
    Source("beach.jpg");
    Stored("beach.jpg");
    ChooseFile("beach.jpg");
    dialogs.OverwriteAnswers = {A::No};
    form.cmdAdd_Click();

    const auto& req = *dialogs.LastOpenFileRequest;
    EXPECT_EQ(req.Title, "Add Picture");
    EXPECT_EQ(req.Filter,
              "All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG "
              "Images|*.png");
    EXPECT_EQ(req.FilterIndex, 1);
    EXPECT_EQ(req.InitialDir, "/start");
    EXPECT_TRUE(req.MultiSelect);

    EXPECT_EQ(Questions(),
              (std::vector<std::string>{AskPrefix +
                                        "beach.jpg already exists. Do you want to overwrite it?"}));
    EXPECT_EQ(StoredBytes("beach.jpg"), "old");
    ASSERT_EQ(state.Settings.Pictures.size(), 1u);
    EXPECT_EQ(state.Settings.Pictures[0], (PictureEntry{"beach.jpg", 54, false}));
    EXPECT_EQ(state.Window.LastBrowseDir, src.string());
    EXPECT_TRUE(state.Settings.Changed);
    EXPECT_TRUE(state.Controls.ApplyEnabled);
}

TEST_F(PictureHandlers, OneFileAnsweredYesToAllOverwritesAndNextClickAsksAgain) {
    Source("x.png", "png bytes");
    Stored("x.png");
    ChooseFile("x.png");
    ChooseFile("x.png");
    dialogs.OverwriteAnswers = {A::YesToAll, A::No};
    form.cmdAdd_Click();
    EXPECT_EQ(StoredBytes("x.png"), "png bytes");
    Source("x.png", "newer bytes");
    form.cmdAdd_Click();
    EXPECT_EQ(Questions().size(), 2u);
    EXPECT_EQ(StoredBytes("x.png"), "png bytes");
    EXPECT_EQ(Names(), (std::vector<std::string>{"x.png", "x.png"}));
}

TEST_F(PictureHandlers, CancelChangesNothing) {
    state.Window.LastBrowseDir = "/start";
    form.cmdAdd_Click();
    EXPECT_EQ(state.Window.LastBrowseDir, "/start");
    EXPECT_TRUE(state.Settings.Pictures.empty());
    EXPECT_FALSE(state.Settings.Changed);
    EXPECT_FALSE(state.Controls.ApplyEnabled);
}

TEST_F(PictureHandlers, FiveFilesNoToAllKeepsBothStoredFilesAndListsAllInOrder) {
    for (const char* n : {"e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"}) Source(n);
    Stored("d.jpg");
    Stored("b.jpg");
    ChooseFiles({"e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"});
    dialogs.OverwriteAnswers = {A::NoToAll};
    form.cmdAdd_Click();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(StoredBytes("d.jpg"), "old");
    EXPECT_EQ(StoredBytes("b.jpg"), "old");
    EXPECT_EQ(StoredBytes("c.jpg"), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"}));
    EXPECT_EQ(state.Window.LastBrowseDir, src.string());
    EXPECT_TRUE(state.Settings.Changed);
}

TEST_F(PictureHandlers, FiveFilesYesToAllOverwritesTheLaterCollisionWithoutAsking) {
    for (const char* n : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"}) Source(n);
    Stored("2.jpg");
    Stored("4.jpg");
    ChooseFiles({"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"});
    dialogs.OverwriteAnswers = {A::YesToAll};
    form.cmdAdd_Click();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(StoredBytes("2.jpg"), "new");
    EXPECT_EQ(StoredBytes("4.jpg"), "new");
    EXPECT_EQ(Names().size(), 5u);
}

TEST_F(PictureHandlers, AnswersForOneFileOnlyKeepAsking) {
    for (const char* n : {"1.jpg", "2.jpg", "3.jpg"}) {
        Source(n);
        Stored(n);
    }
    ChooseFiles({"1.jpg", "2.jpg", "3.jpg"});
    dialogs.OverwriteAnswers = {A::Yes, A::No,
                                static_cast<A>(7)};  // an unknown answer keeps the file
    form.cmdAdd_Click();
    EXPECT_EQ(Questions().size(), 3u);
    EXPECT_EQ(StoredBytes("1.jpg"), "new");
    EXPECT_EQ(StoredBytes("2.jpg"), "old");
    EXPECT_EQ(StoredBytes("3.jpg"), "old");
    EXPECT_EQ(Names().size(), 3u);
}

TEST_F(PictureHandlers, SeveralFilesNeverListAnEmptyName) {
    Source("a.jpg");
    Source("b.jpg");
    ChooseFiles({"a.jpg", "", "b.jpg", ""});
    form.cmdAdd_Click();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(PictureHandlers, NameListedBeforeButStoredCopyGoneIsCopiedWithoutQuestion) {
    state.Settings.Pictures = {{"a.jpg", 7, false}};
    Source("a.jpg");
    ChooseFile("a.jpg");
    form.cmdAdd_Click();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(StoredBytes("a.jpg"), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "a.jpg"}));
}

TEST_F(PictureHandlers, NameWithALineBreakIsRefusedAndTheBatchGoesOn) {
    Source("a.jpg");
    Source("bad\nname.jpg");
    Source("bad\rtoo.jpg");
    Source("c.jpg");
    ChooseFiles({"a.jpg", "bad\nname.jpg", "bad\rtoo.jpg", "c.jpg"});
    form.cmdAdd_Click();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "c.jpg"}));
    EXPECT_FALSE(fs::exists(store / "bad\nname.jpg"));
    const auto told = LogWith("message: Add Picture: The file bad");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("line break"), std::string::npos);
    EXPECT_TRUE(state.Settings.Changed);
}

TEST_F(PictureHandlers, FailingCopyIsReportedNotAskedAndNothingIsListed) {
    Source("a.jpg");
    ChooseFiles({"missing.jpg", "a.jpg"});
    form.cmdAdd_Click();
    EXPECT_TRUE(Questions().empty());
    const auto errors = LogWith("error: Add Picture: The file missing.jpg could not be added");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg"}));
}

TEST_F(PictureHandlers, FailingOverwriteAfterYesIsReportedAndKeepsTheStoredFile) {
    Stored("gone.jpg");
    ChooseFile("gone.jpg");  // chosen, then removed before the copy
    dialogs.OverwriteAnswers = {A::Yes};
    form.cmdAdd_Click();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(LogWith("error: Add Picture: The file gone.jpg could not be added").size(), 1u);
    EXPECT_EQ(StoredBytes("gone.jpg"), "old");
    EXPECT_TRUE(Names().empty());
}

// An add that listed nothing is no edit: Apply stays as it was.
TEST_F(PictureHandlers, AnAddThatListedNothingChangesNothing) {
    Source("bad\nname.jpg");
    ChooseFile("bad\nname.jpg");
    form.cmdAdd_Click();
    ChooseFiles({"missing.jpg", "gone.jpg"});
    form.cmdAdd_Click();
    const fs::path pipes = home / "pipes";
    fs::create_directories(pipes);
    ASSERT_EQ(::mkfifo((pipes / "p.jpg").c_str(), 0644), 0);
    dialogs.FolderAnswers.push_back({true, pipes.string()});
    form.cmdAddFolder_Click();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(LogWith("error: Add Picture: The file ").size(), 3u);
    EXPECT_FALSE(state.Settings.Changed);
    EXPECT_FALSE(state.Controls.ApplyEnabled);
}

TEST_F(PictureHandlers, FullListRefusesMoreWithOneMessage) {
    state.Settings.Pictures.assign(32767, PictureEntry{"p.jpg", 54, false});
    Source("a.jpg");
    Source("b.jpg");
    ChooseFiles({"a.jpg", "b.jpg"});
    form.cmdAdd_Click();
    EXPECT_EQ(state.Settings.Pictures.size(), 32767u);
    EXPECT_EQ(LogWith("message: Add Picture: The picture list is full").size(), 1u);
    EXPECT_FALSE(fs::exists(store / "a.jpg"));
}

TEST_F(PictureHandlers, EachNameIsCopiedAskedListedThenMeasured) {
    Source("a.jpg");
    Source("b.jpg");
    Stored("b.jpg");
    dialogs.OverwriteAnswers = {A::Yes};
    std::vector<std::string> measured;
    PictureAdder adder(state.Settings.Pictures, state.Window.PictureStore, dialogs,
                       [&](const std::string& path) {
                           // By now the copy, the question and the entry are done.
                           const std::string name = fs::path(path).filename().string();
                           EXPECT_EQ(state.Settings.Pictures.back().FileName, name);
                           EXPECT_EQ(StoredBytes(name), "new");
                           EXPECT_EQ(Questions().size(), name == "a.jpg" ? 0u : 1u);
                           measured.push_back(path);
                       });
    AddBatch batch;
    adder.AddOne((src / "a.jpg").string(), "a.jpg", batch);
    adder.AddOne((src / "b.jpg").string(), "b.jpg", batch);
    EXPECT_EQ(measured,
              (std::vector<std::string>{(src / "a.jpg").string(), (src / "b.jpg").string()}));
}

TEST_F(PictureHandlers, FolderAddsOnlyJpegFilesWhateverTheirCase) {
    for (const char* n : {"a.jpg", "b.bmp", "c.png", "D.JPG"}) Source(n);
    dialogs.FolderAnswers.push_back({true, src.string()});
    state.Window.LastBrowseDir = "/start";
    form.cmdAddFolder_Click();

    const auto& req = *dialogs.LastFolderRequest;
    EXPECT_EQ(req.Title, "Add Pictures");
    EXPECT_EQ(req.StartPath, "/start");
    EXPECT_EQ(req.Instructions, "Select a folder which contains pictures you want to add.");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "D.JPG"}));
    EXPECT_EQ(state.Window.LastBrowseDir, src.string());
    EXPECT_TRUE(state.Settings.Changed);
    EXPECT_TRUE(fs::exists(store / "D.JPG"));
    EXPECT_FALSE(fs::exists(store / "b.bmp"));
}

TEST_F(PictureHandlers, FolderCancelScansNothingButTakesTheReportedFolder) {
    Source("a.jpg");
    dialogs.FolderAnswers.push_back({false, src.string()});
    form.cmdAddFolder_Click();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(state.Window.LastBrowseDir, src.string());
    EXPECT_FALSE(state.Settings.Changed);
}

TEST_F(PictureHandlers, FolderWithoutJpegFilesChangesNothing) {
    Source("b.bmp");
    Stored("b.bmp");
    form.ScanPictureFolder(src.string());
    form.ScanPictureFolder((home / "nowhere").string());
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(Questions().empty());
    EXPECT_FALSE(state.Settings.Changed);
    EXPECT_TRUE(LogWith("progress").empty());
}

TEST_F(PictureHandlers, FolderBatchNoToAllAndProgressThroughTheWholeFolder) {
    constexpr int count = 1000;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "p%04d.jpg", i);
        Source(name);
        if (i % 100 == 5) Stored(name);
    }
    dialogs.OverwriteAnswers = {A::NoToAll};
    form.ScanPictureFolder(src.string());
    EXPECT_EQ(Questions(),
              (std::vector<std::string>{AskPrefix +
                                        "p0005.jpg already exists. Do you want to overwrite it?"}));
    ASSERT_EQ(Names().size(), static_cast<size_t>(count));
    EXPECT_EQ(Names().front(), "p0000.jpg");
    EXPECT_EQ(Names().back(), "p0999.jpg");
    EXPECT_EQ(StoredBytes("p0905.jpg"), "old");
    EXPECT_EQ(dialogs.ProgressMax, count);
    EXPECT_EQ(dialogs.ProgressValues.back(), count);
    EXPECT_EQ(dialogs.ProgressValues.size(), static_cast<size_t>(count + 1));
    EXPECT_FALSE(dialogs.ProgressVisible);
    EXPECT_EQ(LogWith("progress: hide").size(), 1u);
}

TEST_F(PictureHandlers, AddingMeasuresTheSourcePictureEvenWhenTheStoredOneIsKept) {
    QImage image(300, 600, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString((src / "big.jpg").string()), "JPEG"));
    Stored("big.jpg");  // answered No below: the old bytes stay, the source is measured
    state.Window.LargestSize = {100, 700};
    ChooseFile("big.jpg");
    form.cmdAdd_Click();
    EXPECT_EQ(state.Window.LargestSize, (PixelSize{300, 700}));
}

// --- Removing and moving through the window

TEST_F(PictureHandlers, RemoveAndMoveSetChangedButLeaveTheButtonsAlone) {
    Stored("a.jpg");
    Stored("b.jpg");
    state.Settings.Pictures = {{"a.jpg", 1, false}, {"b.jpg", 2, false}};
    state.Controls.RemoveEnabled = true;
    state.Controls.MoveUpEnabled = false;
    state.Controls.MoveDownEnabled = true;
    form.cmdRemove_Click();  // nothing selected
    EXPECT_EQ(Names().size(), 2u);
    EXPECT_TRUE(state.Settings.Changed && state.Controls.ApplyEnabled);

    state.Settings.Changed = state.Controls.ApplyEnabled = false;
    state.Settings.Pictures[0].Selected = true;
    form.cmdMoveUp_Click();  // the first entry never moves up
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_TRUE(state.Settings.Changed && state.Controls.ApplyEnabled);

    state.Settings.Changed = state.Controls.ApplyEnabled = false;
    form.cmdMoveDown_Click();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg", "a.jpg"}));
    EXPECT_TRUE(state.Settings.Changed && state.Controls.ApplyEnabled);

    for (auto& e : state.Settings.Pictures) e.Selected = true;
    form.cmdRemove_Click();
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(fs::exists(store / "a.jpg") || fs::exists(store / "b.jpg"));
    EXPECT_TRUE(state.Controls.RemoveEnabled && !state.Controls.MoveUpEnabled &&
                state.Controls.MoveDownEnabled);
}

// --- The list's selection

void SavePicture(const fs::path& path, int w, int h, const char* format) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format));
}

TEST_F(PictureHandlers, SelectingDrawsThePictureFittedIntoTheBox) {
    SavePicture(store / "tall.jpg", 300, 600, "JPEG");
    SavePicture(store / "wide.png", 1000, 500, "PNG");
    state.Settings.Pictures = {{"tall.jpg", 54, false}, {"wide.png", 54, false}};
    form.UserSelectedEntries({0}, 0);
    const auto& c = state.Controls;
    EXPECT_EQ(c.PreviewPicturePath, (store / "tall.jpg").string());
    EXPECT_EQ((std::vector<int>{c.PreviewLeft, c.PreviewTop, c.PreviewWidth, c.PreviewHeight}),
              (std::vector<int>{62, 0, 75, 150}));
    form.UserSelectedEntries({1}, 1);
    EXPECT_EQ(c.PreviewPicturePath, (store / "wide.png").string());
    EXPECT_EQ((std::vector<int>{c.PreviewLeft, c.PreviewTop, c.PreviewWidth, c.PreviewHeight}),
              (std::vector<int>{0, 25, 200, 100}));
}

TEST_F(PictureHandlers, UnreadablePictureKeepsTheDrawingButTheButtonsFollow) {
    SavePicture(store / "ok.bmp", 20, 10, "BMP");
    WriteFile(store / "broken.jpg", "not a picture");
    state.Settings.Pictures = {{"ok.bmp", 54, false}, {"broken.jpg", 54, false}};
    form.UserSelectedEntries({0}, 0);
    form.UserSelectedEntries({1}, 1);
    const auto& c = state.Controls;
    EXPECT_EQ(c.PreviewPicturePath, (store / "ok.bmp").string());
    EXPECT_EQ(c.PreviewWidth, 200);
    EXPECT_TRUE(c.RemoveEnabled && c.MoveUpEnabled && !c.MoveDownEnabled);
}

TEST_F(PictureHandlers, ListButtonsFollowThePosition) {
    state.Settings.Pictures = {{"a", 54, false}, {"b", 54, false}, {"c", 54, false}};
    const auto& c = state.Controls;
    form.UserSelectedEntries({0}, 0);
    EXPECT_TRUE(c.RemoveEnabled && !c.MoveUpEnabled && c.MoveDownEnabled);
    form.UserSelectedEntries({2}, 2);
    EXPECT_TRUE(c.RemoveEnabled && c.MoveUpEnabled && !c.MoveDownEnabled);
    state.Settings.Pictures.resize(1);
    form.UserSelectedEntries({0}, 0);
    EXPECT_TRUE(c.RemoveEnabled && !c.MoveUpEnabled && !c.MoveDownEnabled);
    EXPECT_FALSE(state.Controls.ApplyEnabled);

    state.Controls.RemoveEnabled = false;
    form.UserSelectedEntries({}, -1);  // no current entry: nothing changes
    EXPECT_FALSE(c.RemoveEnabled);
}

TEST_F(PictureHandlers, SelectingShowsTheTransitionWithoutMarkingChanged) {
    state.Window.TransitionsAvailable = true;
    state.Settings.Pictures = {{"a", 5, false}, {"b", 9, false}, {"c", 11, false}};
    form.UserSelectedEntries({0, 1}, 1);
    EXPECT_EQ(state.Controls.TransIndex, 9);
    EXPECT_TRUE(state.Controls.TransEnabled);
    // The box hands its index to every selected entry, as a pick would.
    EXPECT_EQ(state.Settings.Pictures[0].TransitionIndex, 9);
    EXPECT_EQ(state.Settings.Pictures[2].TransitionIndex, 11);
    EXPECT_FALSE(state.Window.SyncingTransition);
    EXPECT_FALSE(state.Settings.Changed);
    EXPECT_FALSE(state.Controls.ApplyEnabled);
}

TEST_F(PictureHandlers, WithoutTransitionsTheBoxKeepsItsState) {
    state.Window.TransitionsAvailable = false;
    state.Controls.TransIndex = 3;
    state.Controls.TransEnabled = false;
    state.Settings.Pictures = {{"a", 5, true}};
    form.UserSelectedEntries({0}, 0);
    EXPECT_EQ(state.Controls.TransIndex, 3);
    EXPECT_FALSE(state.Controls.TransEnabled);
    EXPECT_EQ(state.Settings.Pictures[0].TransitionIndex, 5);
}

// --- The browser preview

class BrowserPreview : public PictureHandlers {
  protected:
    fs::path page = home / "Pictures/WP1.TMP.html";
    fs::path installed = home / "Pictures/Sorvane.html";
    fs::path config = home / "data/desktop-sorvane/config.dat";

    BrowserPreview() {
        WriteFile(fakes.folders->templ, "<p><!-- Image Array --></p><!-- First Image -->");
        WriteFile(installed, "installed page");
        WriteFile(config, "config");
        WriteFile(page, "stale preview");
        state.Settings.Pictures = {{"a.jpg", 3, false}};
        // A size to prepare at; the picture itself is missing and skipped.
        state.Window.LargestSize = state.Window.TargetSize = {100, 80};
    }
    void ExpectInstalledUntouched() {
        EXPECT_EQ(ReadFile(installed), "installed page");
        EXPECT_EQ(ReadFile(config), "config");
        EXPECT_TRUE(fakes.desktop->calls.empty());
    }
};

TEST_F(BrowserPreview, WithoutEditsWritesThePageAndOpensItUnprepared) {
    form.cmdPrevew_Click();
    EXPECT_NE(ReadFile(page).find("a.jpg"), std::string::npos);
    EXPECT_EQ(fakes.shell->opened, (std::vector<std::string>{"browser:" + page.string()}));
    EXPECT_TRUE(LogWith("progress label: Creating Images").empty());
    EXPECT_TRUE(LogWith("progress: show").empty());
    EXPECT_FALSE(state.Settings.Changed);
    EXPECT_FALSE(state.Controls.Busy);
    EXPECT_FALSE(dialogs.Busy);
    ExpectInstalledUntouched();
}

TEST_F(BrowserPreview, WithEditsPreparesFirstAndApplyStaysEnabled) {
    form.MarkChanged();
    form.cmdPrevew_Click();
    EXPECT_FALSE(LogWith("progress label: Creating Images").empty());
    EXPECT_NE(ReadFile(page).find("a.jpg"), std::string::npos);
    EXPECT_TRUE(state.Settings.Changed);
    EXPECT_TRUE(state.Controls.ApplyEnabled);
    EXPECT_EQ(fakes.shell->opened.size(), 1u);
    ExpectInstalledUntouched();
}

TEST_F(BrowserPreview, MissingTemplateStillDeletesTheOldPageAndOpensTheBrowser) {
    fs::remove(fakes.folders->templ);
    form.cmdPrevew_Click();
    EXPECT_FALSE(fs::exists(page));
    EXPECT_EQ(fakes.shell->opened, (std::vector<std::string>{"browser:" + page.string()}));
    EXPECT_FALSE(state.Controls.Busy);
    ExpectInstalledUntouched();
}

// A link in the prepared folder's place is refused, as Apply refuses it:
// nothing is written where it points.
TEST_F(BrowserPreview, ALinkedPreparedFolderIsRefused) {
    const fs::path elsewhere = home / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path prepared = fs::path(state.Window.PreparedFolder).parent_path();
    fs::remove_all(prepared);
    fs::create_directory_symlink(elsewhere, prepared);
    form.MarkChanged();
    form.cmdPrevew_Click();
    EXPECT_EQ(LogWith("message: ").size(), 1u);
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_TRUE(fakes.shell->opened.empty());
    EXPECT_FALSE(state.Controls.Busy);
    ExpectInstalledUntouched();
}

TEST_F(BrowserPreview, NoPreviewPathNeverWritesTheInstalledPage) {
    state.Window.PreviewPagePath.clear();
    form.cmdPrevew_Click();
    EXPECT_TRUE(fakes.shell->opened.empty());
    ExpectInstalledUntouched();
}

}  // namespace
}  // namespace sorvane::test
