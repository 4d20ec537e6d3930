#include "ui/window.h"

#include <new>

#include "ui/fatal_error.h"

namespace quorvane::ui {

Window::~Window() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

bool Window::RegisterWindowClass(WNDCLASSEXW windowClass) {
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &Window::Procedure;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::CreateWindowOfClass(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                                 DWORD style, int left, int top, int width, int height, HWND parent,
                                 HMENU menuOrId, HINSTANCE instance) {
  return CreateWindowExW(exStyle, className, text, style, left, top, width, height, parent,
                         menuOrId, instance, this) != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object has let go.
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::bad_alloc&) {
    ExitWithFatalError(FatalError::kOutOfMemory);
  } catch (...) {
    ExitWithFatalError(FatalError::kUnexpected);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

}  // namespace quorvane::ui
