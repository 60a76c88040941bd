#pragma once

#include "Win32.h"

#include <string>
#include <vector>

namespace sorvane {

// The picture in the preview box: decoded and fitted once per file version
// and place, upright as its tags say, and kept as a bitmap's rows for drawing.
class PreviewPicture {
  public:
    // Draws the picture at `path` into `at` (transparency over `background`,
    // a COLORREF); false when it can't be read, and nothing is drawn.
    bool Draw(HDC dc, const std::string& path, const RECT& at, COLORREF background);

  private:
    std::string key_;
    bool readable_ = false;
    int width_ = 0, height_ = 0;
    std::vector<unsigned char> rows_;  // bottom-up BGR, rows padded to four bytes
};

}  // namespace sorvane
