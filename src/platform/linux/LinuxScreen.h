#pragma once

#include <optional>

#include "platform/Platform.h"

namespace sorvane {

// The primary screen's available geometry in device pixels, so prepared
// pictures show one image pixel per screen pixel on HiDPI screens.
class LinuxScreen : public Screen {
  public:
    explicit LinuxScreen(std::optional<Rect> fixed = std::nullopt) : fixed_(fixed) {}
    Rect WorkArea() override;
    bool WorkAreaOverridden() override { return fixed_.has_value(); }

  private:
    std::optional<Rect> fixed_;
};

}  // namespace sorvane
