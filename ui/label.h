#pragma once

// The form's own caption label (标签3 to 标签6): drawn by the program rather than by a platform
// static control, so that it looks the same everywhere: its rectangle filled with the 3-D face
// colour, then its text in black, one line, left-aligned, centred vertically and cut at the
// rectangle.

#include <windows.h>

#include "ui/control_list.h"
#include "ui/window.h"

namespace quorvane::ui {

class Label final : public Window {
 public:
  Label() = default;

  // Creates the label hidden, as a child of `parent`.
  bool Create(HINSTANCE instance, HWND parent, int controlId, const Bounds& bounds,
              const wchar_t* text);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Paints the whole label into `dc`, for WM_PAINT and for WM_PRINTCLIENT alike.
  void Draw(HDC dc);

  HFONT font_ = nullptr;  // set with WM_SETFONT; the default GUI font while none is set
};

}  // namespace quorvane::ui
