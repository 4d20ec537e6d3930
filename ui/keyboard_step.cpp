#include "ui/keyboard_step.h"

namespace quorvane::ui {

KeyAction DecideKeyAction(unsigned virtualKey, Modifiers modifiers, bool focusOnRadioButton) {
  const bool none = !modifiers.ctrl && !modifiers.shift && !modifiers.alt;
  const bool shiftOnly = !modifiers.ctrl && modifiers.shift && !modifiers.alt;
  switch (virtualKey) {
    case vk::kTab:
      if (none) {
        return KeyAction::kFocusNext;
      }
      return shiftOnly ? KeyAction::kFocusPrevious : KeyAction::kPassOn;
    case vk::kEscape:
      return none ? KeyAction::kCloseWindow : KeyAction::kPassOn;
    case vk::kRight:
    case vk::kDown:
      return none && focusOnRadioButton ? KeyAction::kSelectNextRadio : KeyAction::kPassOn;
    case vk::kLeft:
    case vk::kUp:
      return none && focusOnRadioButton ? KeyAction::kSelectPreviousRadio : KeyAction::kPassOn;
    default:
      return KeyAction::kPassOn;
  }
}

}  // namespace quorvane::ui
