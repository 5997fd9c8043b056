#include "view/orientation.h"

#include <cctype>

// ISO2 keeps 240 rather than -120: both show the same picture, and later key and drag steps
// add to the stored value.
const std::array<ViewPreset, kViewPresetCount> viewpresets = {{
    {ViewPresetId::Top, "top", "俯视", {0.0, 0.0, 0.0}},
    {ViewPresetId::Front, "front", "前视", {-90.0, 0.0, 0.0}},
    {ViewPresetId::Left, "left", "左视", {-90.0, 0.0, -90.0}},
    {ViewPresetId::Iso1, "iso1", "ISO1", {-60.0, 0.0, -30.0}},
    {ViewPresetId::Iso2, "iso2", "ISO2", {-60.0, 0.0, 240.0}},
    {ViewPresetId::Iso3, "iso3", "ISO3", {-60.0, 0.0, 150.0}},
    {ViewPresetId::Iso4, "iso4", "ISO4", {-60.0, 0.0, 60.0}},
}};

const ViewPreset& viewpreset(ViewPresetId id) {
    return viewpresets[static_cast<std::size_t>(id)];
}

const ViewPreset* findviewpreset(std::string_view name) {
    for (const ViewPreset& preset : viewpresets) {
        const std::string_view presetname = preset.name;
        if (presetname.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            const int c = std::tolower(static_cast<unsigned char>(name[i]));
            same = c == presetname[i];
        }
        if (same) return &preset;
    }
    return nullptr;
}
