#pragma once
// The seven preset orientations the panel buttons and function keys select.

#include <array>
#include <string_view>

#include "view/transform.h"

enum class ViewPresetId { Top, Front, Left, Iso1, Iso2, Iso3, Iso4 };

struct ViewPreset {
    ViewPresetId id;
    const char* name;     // "top", "front", "left", "iso1".."iso4"
    const char* caption;  // the preset button's caption (UTF-8)
    ViewAngles angles;
};

constexpr int kViewPresetCount = 7;

// In button order: top, front, left, ISO1..ISO4. The isometric views look down 30 degrees and
// walk a quarter turn counter-clockwise around the part from one to the next.
extern const std::array<ViewPreset, kViewPresetCount> viewpresets;

const ViewPreset& viewpreset(ViewPresetId id);

// The preset of that name, compared without regard to case; nullptr when there is none.
const ViewPreset* findviewpreset(std::string_view name);
