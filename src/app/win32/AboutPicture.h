#pragma once

#include "Win32.h"

namespace sorvane {

// The About page's picture, as the window on Linux draws it: a stack of slides
// with a landscape on the top one and a play mark, scaled to `area` (drawn at
// 158 x 168 and 96 dots per inch).
void DrawAboutPicture(HDC dc, const RECT& area);

}  // namespace sorvane
