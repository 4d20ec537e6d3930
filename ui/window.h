#pragma once

// The one window-class wrapper: a window whose messages go to a C++ object. The window
// procedure is noexcept; an exception from a handler stops at it and ends the program with the
// error box, so none ever crosses into the system.

#include <windows.h>

namespace quorvane::ui {

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window if it still exists, without sending its last messages to this object.
  virtual ~Window();

  HWND handle() const { return handle_; }

 protected:
  Window() = default;

  // Registers a class whose windows are made by CreateWindowOfClass. Registering the same
  // class again (a second object) succeeds.
  static bool RegisterWindowClass(WNDCLASSEXW windowClass);

  // Creates the window; this object receives its messages from WM_NCCREATE until WM_NCDESTROY.
  bool CreateWindowOfClass(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                           DWORD style, int left, int top, int width, int height, HWND parent,
                           HMENU menuOrId, HINSTANCE instance);

  // Every message of the window; the default passes it to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;

  HWND handle_ = nullptr;
};

}  // namespace quorvane::ui
