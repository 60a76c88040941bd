#include "PictureFormat.h"

#include <cctype>
#include <string>

namespace sorvane {

PictureFormat FormatKeyOf(std::string_view fileName) {
    if (fileName.size() < 3) return PictureFormat::Other;
    std::string key(fileName.substr(fileName.size() - 3));
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (key == "bmp") return PictureFormat::Bmp;
    if (key == "jpg") return PictureFormat::Jpeg;
    if (key == "png") return PictureFormat::Png;
    return PictureFormat::Other;
}

}  // namespace sorvane
