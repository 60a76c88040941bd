#pragma once

#include "Win32.h"

#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace sorvane {

// The background colour box: a drop-down list of the system colours with
// their swatches, the colour shown when it is none of them, and "Other
// Color..." for the system's colour dialog. Values are OLE colours.
class ColourChoice {
  public:
    ColourChoice(HWND combo, ColorTranslator& colors);

    // Selects the entry for `oleColor` (from code: no notification).
    void Show(uint32_t oleColor);
    // The colour a user's choice in the list amounts to, asking the colour
    // dialog for "Other Color..."; nothing when the choice is the colour shown
    // or the dialog was cancelled.
    std::optional<uint32_t> Chosen(HWND owner);
    void Draw(const DRAWITEMSTRUCT& item);

  private:
    HWND combo_;
    ColorTranslator& colors_;
    uint32_t shown_;
    COLORREF custom_[16]{};
};

}  // namespace sorvane
