#pragma once

#include "platform/Platform.h"

namespace sorvane {

// The work area of the primary screen (SystemParametersInfo).
class WindowsScreen : public Screen {
  public:
    Rect WorkArea() override;
};

// GetTempFileName: with a non-zero unique number it only forms the name.
class WindowsTempNames : public TempNames {
  public:
    std::string TempFileName(const std::string& folder, const std::string& prefix,
                             unsigned unique) override;
};

// OleTranslateColor, with the system's current colours.
class WindowsColors : public ColorTranslator {
  public:
    std::optional<uint32_t> Translate(uint32_t oleColor) override;
};

}  // namespace sorvane
