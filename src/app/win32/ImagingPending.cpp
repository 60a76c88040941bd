// Stands in for picture imaging where it is not built yet (the Windows
// cross-build): the window runs, Apply fails with a message saying why, and no
// picture is ever measured or shown as if it had been read.
#include "imaging/PictureHeader.h"
#include "imaging/Preparation.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

PixelSize LargestWith(PixelSize largest, const std::string&) { return largest; }

std::optional<PixelSize> ReadPictureSize(const std::string&, bool) { return std::nullopt; }

PreparationResult PreparePictures(const PreparationInput&, Screen&, ColorTranslator&, Dialogs&) {
    throw Error(SORVANE_TR("Sorvane", "this build cannot read or prepare pictures yet."));
}

}  // namespace sorvane
