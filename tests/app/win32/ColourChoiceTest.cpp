// The colour box on a real combo box (under Wine in the cross-build).
#include <gtest/gtest.h>

#include "app/win32/ColourChoice.h"

#include <commctrl.h>

#include "platform/SystemColors.h"

namespace sorvane {
namespace {

class TableColors : public ColorTranslator {
  public:
    std::optional<uint32_t> Translate(uint32_t ole) override {
        return TranslateOleColor(ole, DefaultSystemColors());
    }
};

struct ColourBox : ::testing::Test {
    void SetUp() override {
        combo = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                WS_POPUP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                0, 0, 200, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(combo, nullptr);
    }
    void TearDown() override { DestroyWindow(combo); }

    int Count() const { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
    uint32_t SelectedColour() const {
        return static_cast<uint32_t>(SendMessageW(combo, CB_GETITEMDATA, Selected(), 0));
    }
    std::wstring SelectedText() const {
        wchar_t text[64] = L"";
        SendMessageW(combo, CB_GETLBTEXT, Selected(), reinterpret_cast<LPARAM>(text));
        return text;
    }

    HWND combo = nullptr;
    TableColors colors;
};

// The system colours and "Other Color..." are always there; a colour that is
// none of them has one entry of its own, replaced as the colour changes and
// gone when a system colour is shown again.
TEST_F(ColourBox, OneEntryForAColourOutsideTheSystemColours) {
    ColourChoice box(combo, colors);
    EXPECT_EQ(Count(), SystemColorCount + 1);
    EXPECT_EQ(SelectedColour(), OleDesktopColor);

    box.Show(0x123456);
    EXPECT_EQ(Count(), SystemColorCount + 2);
    EXPECT_EQ(SelectedColour(), 0x123456u);
    EXPECT_EQ(SelectedText(), L"#563412");
    box.Show(0x00FF00);
    EXPECT_EQ(Count(), SystemColorCount + 2);
    EXPECT_EQ(SelectedText(), L"#00FF00");

    box.Show(0x80000005u);
    EXPECT_EQ(Count(), SystemColorCount + 1);
    EXPECT_EQ(Selected(), 5);
}

// A pick is reported only when it differs from the colour shown, and the box
// goes on showing that colour until the form says otherwise.
TEST_F(ColourBox, APickIsReportedAndTheShownColourKept) {
    ColourChoice box(combo, colors);
    SendMessageW(combo, CB_SETCURSEL, SystemColorDesktop, 0);
    EXPECT_EQ(box.Chosen(nullptr), std::nullopt);

    SendMessageW(combo, CB_SETCURSEL, 5, 0);
    EXPECT_EQ(box.Chosen(nullptr), std::optional<uint32_t>(0x80000005u));
    EXPECT_EQ(SelectedColour(), OleDesktopColor);
}

}  // namespace
}  // namespace sorvane
