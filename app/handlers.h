#pragma once

// The handlers the shell binds to the main window's events, besides OnCalculateClicked (calc/).

#include <cstdint>

#include "calc/form_access.h"

namespace quorvane::app {

// The main window and all its controls exist and hold their initial state; the window is not
// visible yet.
void OnMainFormCreated();

// A left press (or the second press of a double click) on the picture box 图片框1, before the
// box receives it. x, y: the press in the box's client area; keyState: 1 Ctrl + 2 Shift + 4 Alt.
void OnPictureLeftButtonDown(FormAccess& form, std::int32_t x, std::int32_t y,
                             std::int32_t keyState);

}  // namespace quorvane::app
