#pragma once
// The keyboard's navigation steps: four presets, fixed turns, a refit and two zoom steps.

#include "view/geometry.h"

class ViewState;

enum class NavigationKey {
    None,
    F1,  // top
    F2,  // front
    F3,  // left
    F4,  // ISO1
    Right,
    Clear,  // keypad 5 with Num Lock off: the same turn as Right
    Left,
    Up,
    Down,
    PageUp,
    KeypadMultiply,
    KeypadMinus,
};

// Applies the key's step to the view and renders (F1-F4 and Page Up refit the extents).
// None does nothing.
void FormKeyDown(ViewState& view, NavigationKey key, const WorldBox& extents);
