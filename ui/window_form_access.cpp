#include "ui/window_form_access.h"

#include <windows.h>

#include "ui/text_encoding.h"

namespace quorvane::ui {

bool WindowFormAccess::IsChecked(Control radioButton) {
  return SendMessageW(form_.ControlWindow(radioButton), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string WindowFormAccess::GetText(Control editBox) {
  HWND edit = form_.ControlWindow(editBox);
  const int length = GetWindowTextLengthW(edit);
  if (length <= 0) {
    return {};
  }
  // std::wstring keeps room for the terminating zero that GetWindowTextW writes.
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
  return Cp936FromWide(text);
}

void WindowFormAccess::SetText(Control editBox, std::string_view text) {
  SetWindowTextW(form_.ControlWindow(editBox), WideFromCp936(text).c_str());
}

int WindowFormAccess::ShowMessage(std::string_view text, unsigned buttonCode,
                                  std::string_view title) {
  const std::wstring wideText = WideFromCp936(text);
  const std::wstring wideTitle = WideFromCp936(title);
  form_.RememberFocus();
  const int pressed =
      MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), buttonCode | MB_TASKMODAL);
  form_.RegainActivationAfterModal();
  // A box with the single OK button counts every way of closing it (OK, Enter, Space, Esc, its
  // close button) as OK, which is button number 0; so does a box that could not be shown.
  if ((buttonCode & MB_TYPEMASK) == MB_OK || pressed == IDOK || pressed == 0) {
    return 0;
  }
  return pressed;
}

}  // namespace quorvane::ui
