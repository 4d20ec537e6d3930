#pragma once

// A built and shown main window in the test's own process, with the keyboard step driven by
// hand-made key messages, for the tests of the live window.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "ui/keyboard_step.h"
#include "ui/main_form.h"

namespace quorvane::ui::testing {

class RecordingEvents final : public MainFormEvents {
 public:
  void OnCalculateClicked() override { ++calculateClicks; }
  void OnMainFormDestroyed() override { ++destroyed; }

  int calculateClicks = 0;
  int destroyed = 0;
};

// The window's whole text.
inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1))));
  return text;
}

// Runs what is waiting in this thread's queue.
inline void PumpMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class MainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    ASSERT_TRUE(form_.Build(GetModuleHandleW(nullptr)));
  }

  void ShowForm() {
    form_.Show();
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), form_.handle());
  }

  HWND Window(Control id) const { return form_.ControlWindow(id); }

  std::optional<Control> Focused() const { return form_.ControlOf(GetFocus()); }

  bool Checked(Control radio) const {
    return SendMessageW(Window(radio), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  // Offers a key-down message with exactly these modifiers held to the keyboard step, as the
  // event loop would, aimed at the focused window; dispatches it when the step passes it on.
  bool PressKey(unsigned virtualKey, Modifiers held = {}) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = held.ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = held.shift ? 0x80 : 0;
    keys[VK_MENU] = held.alt ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND target = GetFocus() != nullptr ? GetFocus() : form_.handle();
    const UINT kind = held.alt ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN};
    const MSG message{target, kind, virtualKey, 1, 0, {}};
    const bool consumed = form_.HandleKeyboardStep(message);
    if (!consumed) {
      DispatchMessageW(&message);
    }
    BYTE released[256] = {};
    SetKeyboardState(released);
    PumpMessages();
    return consumed;
  }

  RecordingEvents events_;
  MainForm form_{events_};
};

}  // namespace quorvane::ui::testing
