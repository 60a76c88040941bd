#pragma once

#include <string_view>

namespace sorvane {

enum class PictureFormat { Bmp, Jpeg, Png, Other };

// The format key: the last three characters of the name, any case.
PictureFormat FormatKeyOf(std::string_view fileName);

}  // namespace sorvane
