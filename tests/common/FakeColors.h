#pragma once

#include "platform/Platform.h"
#include "platform/SystemColors.h"

namespace sorvane::test {

// Colour translation against the default table, as a desktop that tells us
// nothing would give.
class TableColors : public ColorTranslator {
  public:
    std::optional<uint32_t> Translate(uint32_t ole) override {
        return TranslateOleColor(ole, DefaultSystemColors());
    }
};

}  // namespace sorvane::test
