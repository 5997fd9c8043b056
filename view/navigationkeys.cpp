#include "view/navigationkeys.h"

#include "view/viewstate.h"

namespace {

constexpr double kTurnStep = 30.0;
constexpr double kTiltStep = 15.0;

void presetandfit(ViewState& view, ViewPresetId id, const WorldBox& extents) {
    view.setviewangles(viewpreset(id));
    view.fitjob(extents);
}

}  // namespace

void FormKeyDown(ViewState& view, NavigationKey key, const WorldBox& extents) {
    switch (key) {
        case NavigationKey::None:
            return;
        case NavigationKey::F1:
            presetandfit(view, ViewPresetId::Top, extents);
            return;
        case NavigationKey::F2:
            presetandfit(view, ViewPresetId::Front, extents);
            return;
        case NavigationKey::F3:
            presetandfit(view, ViewPresetId::Left, extents);
            return;
        case NavigationKey::F4:
            presetandfit(view, ViewPresetId::Iso1, extents);
            return;
        case NavigationKey::Right:
        case NavigationKey::Clear:
            view.rotz += kTurnStep;
            break;
        case NavigationKey::Left:
            view.rotz -= kTurnStep;
            break;
        case NavigationKey::Up:
            view.rotx -= kTiltStep;
            break;
        case NavigationKey::Down:
            view.rotx += kTiltStep;
            break;
        case NavigationKey::PageUp:
            view.fitjob(extents);
            return;
        case NavigationKey::KeypadMultiply:
            view.zoomby(2.0);
            return;
        case NavigationKey::KeypadMinus:
            view.zoomby(0.5);
            return;
    }
    view.render();
}
