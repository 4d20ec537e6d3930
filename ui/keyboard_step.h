#pragma once

// What the window does with a key before the focused control sees it: the decision alone,
// without a window, so that every key and modifier combination can be checked natively.

namespace quorvane::ui {

// The Win32 virtual-key codes of the keys the window looks at.
namespace vk {
inline constexpr unsigned kTab = 0x09;
inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kUp = 0x26;
inline constexpr unsigned kRight = 0x27;
inline constexpr unsigned kDown = 0x28;
inline constexpr unsigned kF1 = 0x70;
inline constexpr unsigned kF4 = 0x73;
}  // namespace vk

// The modifiers held with a key; each is part of the key, so Shift+Esc is not Esc.
struct Modifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

enum class KeyAction {
  kPassOn,  // not the window's key: the focused control receives it
  kFocusNext,
  kFocusPrevious,
  kSelectNextRadio,
  kSelectPreviousRadio,
  kCloseWindow,
};

// Only key-down messages are asked about. Enter and F1 are passed on: the window has no default
// button and no help.
KeyAction DecideKeyAction(unsigned virtualKey, Modifiers modifiers, bool focusOnRadioButton);

}  // namespace quorvane::ui
