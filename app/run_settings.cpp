// Storage of the run's settings and the one place that hands the display level on to the
// reader.
#include "app/run_settings.h"

#include "pmx/display_level.h"

RunSettings gSettings = {0.0f,  false, false, 0, kDefaultErrorAdmittance, kDefaultConvMode, 0,
                         {0},   {0},   {0}};

void setRunDisplayLevel(std::int8_t level) {
    gSettings.displayLevel = level;
    setDisplayLevel(level);
}

void resetOptionSettings() {
    setRunDisplayLevel(0);
    gSettings.convMode = kDefaultConvMode;
    gSettings.cancelDisplayingDialogue = 0;
}
