#include "ui/label.h"

#include <string>

#include "ui/win32_handles.h"

namespace quorvane::ui {
namespace {

constexpr const wchar_t* kLabelClassName = L"QuorvaneLabel";

}  // namespace

bool Label::Create(HINSTANCE instance, HWND parent, int controlId, const Bounds& bounds,
                   const wchar_t* text) {
  WNDCLASSEXW windowClass{};
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kLabelClassName;
  // No background brush: the paint fills the whole rectangle itself.
  if (!RegisterWindowClass(windowClass)) {
    return false;
  }
  return CreateWindowOfClass(0, kLabelClassName, text, WS_CHILD, bounds.left, bounds.top,
                             bounds.width, bounds.height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc dc(handle());
      Draw(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Draw(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the background
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) {
        InvalidateRect(handle(), nullptr, FALSE);
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      InvalidateRect(handle(), nullptr, FALSE);
      return result;
    }
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void Label::Draw(HDC dc) {
  RECT client{};
  GetClientRect(handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle())), L'\0');
  if (text.empty()) {
    return;
  }
  // GetWindowTextW counts the terminating zero, which std::wstring keeps room for.
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(handle(), text.data(), static_cast<int>(text.size() + 1))));

  const HGDIOBJ font = font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT);
  SelectedObject selectedFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
            DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace quorvane::ui
