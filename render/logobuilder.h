#pragma once
// Compiles the start-up logo into a GL display list: the built-in emblem, with its third
// section replaced by a custom logo file when one is given. Call with the target's context
// current (between BeginGL and EndGL).

#include <functional>
#include <string>

#include "render/logo/logocommand.h"

struct LogoBuildResult {
    LogoExtents extents;      // the X and Y box the logo claims
    bool customused = false;  // the custom file's records replaced the third section
    std::string customerror;  // why the custom file could not be read (empty: it could)
};

// Builds list `list`; the custom file's records, if any, go into list + 1, which list `list`
// calls. customfile empty: the built-in logo alone. beep sounds for each record that had to
// be skipped or mended.
// Replays the compiled logo (inside a frame).
void calllogo(unsigned list);

LogoBuildResult buildlogo(unsigned list, const std::string& customfile,
                          const std::function<void()>& beep);
