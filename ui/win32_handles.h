#pragma once

// Scoped owners of the Win32 handles that the window code takes for a while: each gives its
// handle back when it goes out of scope, and none can be copied.

#include <windows.h>

namespace quorvane::ui {

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context; the one it replaced is selected back at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A brush this code made, deleted with it.
class UniqueBrush {
 public:
  explicit UniqueBrush(HBRUSH brush = nullptr) noexcept : brush_(brush) {}
  UniqueBrush(const UniqueBrush&) = delete;
  UniqueBrush& operator=(const UniqueBrush&) = delete;
  ~UniqueBrush() { reset(nullptr); }

  HBRUSH get() const noexcept { return brush_; }
  void reset(HBRUSH brush) noexcept {
    if (brush_ != nullptr) {
      DeleteObject(brush_);
    }
    brush_ = brush;
  }

 private:
  HBRUSH brush_;
};

}  // namespace quorvane::ui
