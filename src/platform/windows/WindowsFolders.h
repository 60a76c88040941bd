#pragma once

#include "platform/Platform.h"

namespace sorvane {

// The program's folder is the executable's folder: config.dat, the images
// folder and template.html sit beside the program. The pictures folder is
// the user's My Pictures.
class WindowsFolders : public Folders {
  public:
    std::string PicturesFolder() override;
    std::string ProgramFolder() override;
    std::string TemplatePath() override;
};

}  // namespace sorvane
