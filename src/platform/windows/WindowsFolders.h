#pragma once

#include "platform/Platform.h"

namespace sorvane {

// template.html sits beside the program. config.dat and the images folder do
// too when the user can write there (a per-user install, a portable copy);
// otherwise (an install under Program Files) they live in
// %LOCALAPPDATA%\Desktop Sorvane. The pictures folder is the user's My Pictures.
class WindowsFolders : public Folders {
  public:
    std::string PicturesFolder() override;
    // The data folder, chosen once: the data does not move while the program runs.
    std::string ProgramFolder() override;
    std::string TemplatePath() override;

  private:
    std::string dataFolder_;
};

}  // namespace sorvane
