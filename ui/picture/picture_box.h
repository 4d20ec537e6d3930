#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include "ui/picture/picture.h"

namespace quorvane::ui {

// Creates the picture box 图片框1 as a hidden child of `parent` at `bounds` (in the parent's
// client coordinates), showing the program's embedded picture. The control owns its decoded
// picture and its background brush until it is destroyed. Returns null when the platform
// refuses the window.
HWND CreatePictureBox(HWND parent, int controlId, const RECT& bounds,
                      PictureDisplayMode mode) noexcept;

// Creates the caption label 透明标签1 as a hidden child of `parent`: it draws `text` without
// painting any background of its own, so the parent's background shows around the glyphs.
HWND CreateTransparentLabel(HWND parent, int controlId, const RECT& bounds,
                            const wchar_t* text) noexcept;

}  // namespace quorvane::ui
