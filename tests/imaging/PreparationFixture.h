#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "TestPictures.h"
#include "common/FakeColors.h"
#include "common/TempHome.h"
#include "imaging/PictureJob.h"
#include "imaging/Preparation.h"

namespace sorvane::test {

class FixedScreen : public Screen {
  public:
    Rect area{0, 0, 1024, 738};
    Rect WorkArea() override { return area; }
};

// Records what the user would see, and on which thread it was shown.
class RecordingDialogs : public Dialogs, public Progress {
  public:
    struct Message {
        std::string text, title;
        MsgButtons buttons;
        MsgIcon icon;
    };
    std::vector<Message> messages;
    std::string label;
    int maximum = -99;
    std::vector<int> values;
    int repaints = 0;
    bool callsFromOtherThreads = false;
    std::thread::id owner = std::this_thread::get_id();

    void Touch() { callsFromOtherThreads |= std::this_thread::get_id() != owner; }
    MsgResult MessageBox(const std::string& text, MsgButtons b, MsgIcon i,
                         const std::string& title) override {
        Touch();
        messages.push_back({text, title, b, i});
        return MsgResult::Ok;
    }
    OverwriteAnswer AskOverwrite(const std::string&, const std::string&) override {
        return OverwriteAnswer::No;
    }
    std::optional<ChosenFiles> ShowOpenFile(const OpenFileRequest&) override { return {}; }
    FolderPickResult PickFolder(const FolderPickRequest&) override { return {}; }
    Progress& ProgressWindow() override { return *this; }
    void ShowProgress() override {}
    void HideProgress() override {}
    void UnloadProgress() override {}
    void SetBusy(bool) override {}
    void UnloadSecondaryWindows() override {}
    void SetLabel(const std::string& text) override { Touch(), label = text; }
    void SetMaximum(int max) override { Touch(), maximum = max; }
    void SetValue(int value) override { Touch(), values.push_back(value); }
    void Repaint() override { Touch(), ++repaints; }
};

// A data folder with a picture store and a prepared folder, a 1024 × 738 work
// area (target 1004 × 718) and a plain blue-grey background.
class PreparationTest : public ::testing::Test {
  protected:
    static constexpr uint32_t kBackground =
        0x00996633;  // COLORREF: red 0x33, green 0x66, blue 0x99

    PreparationTest() {
        std::filesystem::create_directories(store);
        std::filesystem::create_directories(prepared);
        form.PictureStore = store.string() + "/";
        form.PreparedFolder = prepared.string() + "/";
        form.LargestSize = {3000, 3000};
        form.TargetSize = {1004, 718};
        form.BackgroundColor = kBackground;
        form.AlignIndex = 1;
    }

    void Add(const std::string& name, const RgbImage& image) {
        WritePicture(store / name, image, FormatKeyOf(name));
        form.Pictures.push_back({name});
    }
    void AddBytes(const std::string& name, const std::string& bytes) {
        WriteFile(store / name, bytes);
        form.Pictures.push_back({name});
    }
    // As the window does: the sizes a run settles are kept for the next.
    bool Run() {
        const PreparationResult result = PreparePictures(form, screen, colors, dialogs);
        form.TargetSize = result.TargetSize;
        form.LargestSize = result.LargestSize;
        return result.Started;
    }

    // The copies, without the manifest kept beside them.
    std::vector<std::string> PreparedNames() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(prepared))
            if (e.path().filename() != PreparedManifest::FileName)
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempHome home;
    std::filesystem::path store = home / "data/desktop-sorvane/images";
    std::filesystem::path prepared = home / "Pictures/Sorvane";
    PreparationInput form;
    FixedScreen screen;
    TableColors colors;
    RecordingDialogs dialogs;
};

}  // namespace sorvane::test
