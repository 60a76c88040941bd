#include "TransitionNames.h"

namespace sorvane {

const std::array<std::string_view, TransitionCount> TransitionNames = {
    "Barn Horizontal In",
    "Barn Horizontal Out",
    "Barn Vertical In",
    "Barn Vertical Out",
    "Blinds Down",
    "Blinds Left",
    "Blinds Right",
    "Blinds Up",
    "Box In",
    "Box Out",
    "Checkerboard Down",
    "Checkerboard Right",
    "Circle In",
    "Circle Out",
    "Cover Down",
    "Cover Right",
    "Cross In",
    "Cross Out",
    "Fade",
    "Fade Overlap",
    "Gradient Wipe Bottom To Top",
    "Gradient Wipe Left To Right",
    "Gradient Wipe Right To Left",
    "Gradient Wipe Top To Bottom",
    "Inset",
    "Pie Wipe 10",
    "Pie Wipe 2",
    "Pie Wipe 20",
    "Pie Wipe 4",
    "Plus In",
    "Plus Out",
    "Radial Wipe",
    "Radial Wipe Clock",
    "Radial Wipe Wedge",
    "Random Bars Horizontal",
    "Random Bars Vertical",
    "Random Dissolve",
    "Slide Hide",
    "Slide Hide Many",
    "Slide Push",
    "Slide Push Many",
    "Slide Swap",
    "Slide Swap Many",
    "Spiral",
    "Star In",
    "Star Out",
    "Stretch Hide",
    "Stretch Push",
    "Stretch Spin",
    "Strips Left Down",
    "Strips Left Up",
    "Strips Right Down",
    "Strips Right Up",
    "ZigZag",
    "None",
};

int TransitionIndexOf(std::string_view name) {
    for (int i = 0; i < TransitionCount; ++i)
        if (TransitionNames[i] == name) return i;
    return -1;
}

}  // namespace sorvane
