#pragma once

#include "platform/Platform.h"

namespace sorvane {

// XDG folders: pictures for the page, $XDG_DATA_HOME/desktop-sorvane as the
// program's folder, template.html from there or from the installed resources.
class LinuxFolders : public Folders {
  public:
    std::string PicturesFolder() override;
    std::string ProgramFolder() override;
    std::string TemplatePath() override;
};

}  // namespace sorvane
