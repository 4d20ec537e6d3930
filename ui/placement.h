#pragma once

// Where the main window stands: centred by the full primary screen size.

namespace quorvane::ui {

struct WindowOrigin {
  int left = 0;
  int top = 0;

  friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};

// (screen − outer size) / 2 in each direction, truncated toward zero, so a screen smaller than
// the window gives a negative position that stays negative.
WindowOrigin CentredWindowOrigin(int screenWidth, int screenHeight);

}  // namespace quorvane::ui
