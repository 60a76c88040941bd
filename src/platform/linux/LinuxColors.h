#pragma once

#include "platform/Platform.h"
#include "platform/SystemColors.h"

namespace sorvane {

// System colours from the running desktop where it tells them (Qt's palette for
// window colours, the desktop background colour from its settings), else the
// classic defaults.
class LinuxColors : public ColorTranslator {
  public:
    LinuxColors();
    std::optional<uint32_t> Translate(uint32_t oleColor) override;
    const SystemColorTable& Table() const { return table_; }

  private:
    SystemColorTable table_;
};

}  // namespace sorvane
