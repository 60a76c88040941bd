#include "TransitionNames.h"

#include "platform/Translate.h"

namespace sorvane {

const std::array<std::string_view, TransitionCount> TransitionNames = {
    SORVANE_TR_NOOP("Transition", "Barn Horizontal In"),
    SORVANE_TR_NOOP("Transition", "Barn Horizontal Out"),
    SORVANE_TR_NOOP("Transition", "Barn Vertical In"),
    SORVANE_TR_NOOP("Transition", "Barn Vertical Out"),
    SORVANE_TR_NOOP("Transition", "Blinds Down"),
    SORVANE_TR_NOOP("Transition", "Blinds Left"),
    SORVANE_TR_NOOP("Transition", "Blinds Right"),
    SORVANE_TR_NOOP("Transition", "Blinds Up"),
    SORVANE_TR_NOOP("Transition", "Box In"),
    SORVANE_TR_NOOP("Transition", "Box Out"),
    SORVANE_TR_NOOP("Transition", "Checkerboard Down"),
    SORVANE_TR_NOOP("Transition", "Checkerboard Right"),
    SORVANE_TR_NOOP("Transition", "Circle In"),
    SORVANE_TR_NOOP("Transition", "Circle Out"),
    SORVANE_TR_NOOP("Transition", "Cover Down"),
    SORVANE_TR_NOOP("Transition", "Cover Right"),
    SORVANE_TR_NOOP("Transition", "Cross In"),
    SORVANE_TR_NOOP("Transition", "Cross Out"),
    SORVANE_TR_NOOP("Transition", "Fade"),
    SORVANE_TR_NOOP("Transition", "Fade Overlap"),
    SORVANE_TR_NOOP("Transition", "Gradient Wipe Bottom To Top"),
    SORVANE_TR_NOOP("Transition", "Gradient Wipe Left To Right"),
    SORVANE_TR_NOOP("Transition", "Gradient Wipe Right To Left"),
    SORVANE_TR_NOOP("Transition", "Gradient Wipe Top To Bottom"),
    SORVANE_TR_NOOP("Transition", "Inset"),
    SORVANE_TR_NOOP("Transition", "Pie Wipe 10"),
    SORVANE_TR_NOOP("Transition", "Pie Wipe 2"),
    SORVANE_TR_NOOP("Transition", "Pie Wipe 20"),
    SORVANE_TR_NOOP("Transition", "Pie Wipe 4"),
    SORVANE_TR_NOOP("Transition", "Plus In"),
    SORVANE_TR_NOOP("Transition", "Plus Out"),
    SORVANE_TR_NOOP("Transition", "Radial Wipe"),
    SORVANE_TR_NOOP("Transition", "Radial Wipe Clock"),
    SORVANE_TR_NOOP("Transition", "Radial Wipe Wedge"),
    SORVANE_TR_NOOP("Transition", "Random Bars Horizontal"),
    SORVANE_TR_NOOP("Transition", "Random Bars Vertical"),
    SORVANE_TR_NOOP("Transition", "Random Dissolve"),
    SORVANE_TR_NOOP("Transition", "Slide Hide"),
    SORVANE_TR_NOOP("Transition", "Slide Hide Many"),
    SORVANE_TR_NOOP("Transition", "Slide Push"),
    SORVANE_TR_NOOP("Transition", "Slide Push Many"),
    SORVANE_TR_NOOP("Transition", "Slide Swap"),
    SORVANE_TR_NOOP("Transition", "Slide Swap Many"),
    SORVANE_TR_NOOP("Transition", "Spiral"),
    SORVANE_TR_NOOP("Transition", "Star In"),
    SORVANE_TR_NOOP("Transition", "Star Out"),
    SORVANE_TR_NOOP("Transition", "Stretch Hide"),
    SORVANE_TR_NOOP("Transition", "Stretch Push"),
    SORVANE_TR_NOOP("Transition", "Stretch Spin"),
    SORVANE_TR_NOOP("Transition", "Strips Left Down"),
    SORVANE_TR_NOOP("Transition", "Strips Left Up"),
    SORVANE_TR_NOOP("Transition", "Strips Right Down"),
    SORVANE_TR_NOOP("Transition", "Strips Right Up"),
    SORVANE_TR_NOOP("Transition", "ZigZag"),
    SORVANE_TR_NOOP("Transition", "None"),
};

int TransitionIndexOf(std::string_view name) {
    for (int i = 0; i < TransitionCount; ++i)
        if (TransitionNames[i] == name) return i;
    return -1;
}

}  // namespace sorvane
