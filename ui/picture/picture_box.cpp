#include "ui/picture/picture_box.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <span>

#include "ui/picture/picture.h"
#include "ui/picture/picture_resource.h"
#include "ui/win32_handles.h"

namespace quorvane::ui {
namespace {

constexpr wchar_t kPictureBoxClass[] = L"QuorvanePictureBox";
constexpr wchar_t kTransparentLabelClass[] = L"QuorvaneTransparentLabel";

// What a picture box holds for its whole life; all of it is fixed at creation.
struct PictureBoxState {
  COLORREF background = 0;
  UniqueBrush brush;
  std::optional<Picture> picture;
  PictureDisplayMode mode = PictureDisplayMode::kNatural;
};

HINSTANCE ModuleInstance() noexcept {
  return GetModuleHandleW(nullptr);
}

// The PNG bytes that the program carries as a resource; empty when it carries none.
std::span<const std::uint8_t> EmbeddedPictureBytes() noexcept {
  const HINSTANCE module = ModuleInstance();
  const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(QUORVANE_PICTURE_RESOURCE), RT_RCDATA);
  if (info == nullptr) {
    return {};
  }
  const HGLOBAL data = LoadResource(module, info);
  const void* bytes = data != nullptr ? LockResource(data) : nullptr;
  if (bytes == nullptr) {
    return {};
  }
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, info)};
}

PictureBoxState* StateOf(HWND window) noexcept {
  return reinterpret_cast<PictureBoxState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PaintPictureBox(HWND window, const PictureBoxState& state) noexcept {
  PaintDc paint(window);
  const HDC dc = paint.get();
  if (dc == nullptr) {
    return;
  }
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, state.brush.get());
  if (!state.picture) {
    return;
  }
  const Picture& picture = *state.picture;
  const PictureRect target =
      FitPicture(state.mode, client.right, client.bottom, picture.width, picture.height);

  // The composite lives for this paint only.
  const std::size_t size = picture.pixels.size();
  const std::unique_ptr<std::uint8_t[]> composite(new (std::nothrow) std::uint8_t[size]);
  if (!composite) {
    return;
  }
  CompositeOverBackground(picture, state.background, {composite.get(), size});

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  // Averaging needs enough colours to show its averages; at 16 bits or fewer whole rows and
  // columns are dropped instead. The depth can change while the program runs.
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) > 16) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
  }
  StretchDIBits(dc, target.x, target.y, target.width, target.height, 0, 0, picture.width,
                picture.height, composite.get(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_NCCREATE: {
      // The window takes over the state that CreatePictureBox prepared.
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      auto* owner = static_cast<std::unique_ptr<PictureBoxState>*>(create->lpCreateParams);
      if (owner != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
      }
      break;
    }
    case WM_NCDESTROY:
      delete StateOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole client area itself
    case WM_PAINT:
      if (const PictureBoxState* state = StateOf(window)) {
        PaintPictureBox(window, *state);
        return 0;
      }
      break;
    // Presses are the main window's business (it runs the greeting before they arrive here):
    // the box neither takes the focus, nor captures the mouse, nor repaints for them.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PaintTransparentLabel(HWND window) noexcept {
  PaintDc paint(window);
  const HDC dc = paint.get();
  if (dc == nullptr) {
    return;
  }
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) {
    return;
  }
  const auto capacity = static_cast<std::size_t>(length) + 1;
  const std::unique_ptr<wchar_t[]> text(new (std::nothrow) wchar_t[capacity]);
  if (!text) {
    return;
  }
  const int copied = GetWindowTextW(window, text.get(), length + 1);
  if (copied <= 0) {
    return;
  }
  RECT client{};
  GetClientRect(window, &client);
  const SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  // No clipping by DrawText: the label's window bounds what is shown, so a caption that is
  // too long is cut at the window's right edge.
  DrawTextW(dc, text.get(), copied, &client, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

LRESULT CALLBACK TransparentLabelProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // whatever lies beneath shows through
    case WM_PAINT:
      PaintTransparentLabel(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// Registers a window class of this module, with the arrow pointer and no background brush (the
// erase step paints nothing); true when it is registered.
bool RegisterOnce(const wchar_t* name, UINT style, WNDPROC procedure) noexcept {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HMENU ChildId(int controlId) noexcept {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
}

}  // namespace

HWND CreatePictureBox(HWND parent, int controlId, const RECT& bounds,
                      PictureDisplayMode mode) noexcept {
  // Double-clicks arrive as such; the whole client area is redrawn after a resize.
  static const bool registered =
      RegisterOnce(kPictureBoxClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, PictureBoxProc);
  if (!registered) {
    return nullptr;
  }
  std::unique_ptr<PictureBoxState> state(new (std::nothrow) PictureBoxState);
  if (!state) {
    return nullptr;
  }
  // The face colour of this moment; a later change of the system colours is not followed.
  state->background = GetSysColor(COLOR_BTNFACE);
  state->brush.reset(CreateSolidBrush(state->background));
  state->picture = DecodePicture(EmbeddedPictureBytes());
  state->mode = mode;
  const HWND window =
      CreateWindowExW(0, kPictureBoxClass, L"", WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                      bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                      ChildId(controlId), ModuleInstance(), &state);
  if (window != nullptr) {
    InvalidateRect(window, nullptr, FALSE);
  }
  return window;
}

HWND CreateTransparentLabel(HWND parent, int controlId, const RECT& bounds,
                            const wchar_t* text) noexcept {
  static const bool registered =
      RegisterOnce(kTransparentLabelClass, CS_HREDRAW | CS_VREDRAW, TransparentLabelProc);
  if (!registered) {
    return nullptr;
  }
  // WS_EX_TRANSPARENT: what lies beneath is painted before the label, which only adds glyphs.
  return CreateWindowExW(WS_EX_TRANSPARENT, kTransparentLabelClass, text != nullptr ? text : L"",
                         WS_CHILD, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, parent, ChildId(controlId), ModuleInstance(),
                         nullptr);
}

}  // namespace quorvane::ui
