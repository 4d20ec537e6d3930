#include "ui/keyboard_step.h"

#include <gtest/gtest.h>

namespace quorvane::ui {
namespace {

constexpr Modifiers kNone{};
constexpr Modifiers kShift{.shift = true};
constexpr Modifiers kCtrl{.ctrl = true};
constexpr Modifiers kAlt{.alt = true};
constexpr Modifiers kCtrlShift{.ctrl = true, .shift = true};
constexpr Modifiers kAltShift{.shift = true, .alt = true};

constexpr unsigned kSpace = 0x20;
constexpr unsigned kLetterA = 0x41;

TEST(KeyboardStepTest, EachKeyCountsOnlyWithExactlyItsModifiers) {
  struct Case {
    const char* what;
    unsigned key;
    Modifiers modifiers;
    bool onRadio;
    KeyAction expected;
  };
  const Case cases[] = {
      {"Tab", vk::kTab, kNone, false, KeyAction::kFocusNext},
      {"Tab on a radio button", vk::kTab, kNone, true, KeyAction::kFocusNext},
      {"Shift+Tab", vk::kTab, kShift, false, KeyAction::kFocusPrevious},
      {"Ctrl+Tab", vk::kTab, kCtrl, false, KeyAction::kPassOn},
      {"Ctrl+Shift+Tab", vk::kTab, kCtrlShift, false, KeyAction::kPassOn},
      {"Alt+Tab", vk::kTab, kAlt, false, KeyAction::kPassOn},
      {"Alt+Shift+Tab", vk::kTab, kAltShift, false, KeyAction::kPassOn},
      {"Esc", vk::kEscape, kNone, false, KeyAction::kCloseWindow},
      {"Esc on a radio button", vk::kEscape, kNone, true, KeyAction::kCloseWindow},
      {"Shift+Esc", vk::kEscape, kShift, false, KeyAction::kPassOn},
      {"Ctrl+Esc", vk::kEscape, kCtrl, false, KeyAction::kPassOn},
      {"Alt+Esc", vk::kEscape, kAlt, false, KeyAction::kPassOn},
      {"Right on a radio button", vk::kRight, kNone, true, KeyAction::kSelectNextRadio},
      {"Down on a radio button", vk::kDown, kNone, true, KeyAction::kSelectNextRadio},
      {"Left on a radio button", vk::kLeft, kNone, true, KeyAction::kSelectPreviousRadio},
      {"Up on a radio button", vk::kUp, kNone, true, KeyAction::kSelectPreviousRadio},
      {"Shift+Down on a radio button", vk::kDown, kShift, true, KeyAction::kPassOn},
      {"Ctrl+Up on a radio button", vk::kUp, kCtrl, true, KeyAction::kPassOn},
      {"Right in an edit box", vk::kRight, kNone, false, KeyAction::kPassOn},
      {"Up in an edit box", vk::kUp, kNone, false, KeyAction::kPassOn},
      {"Enter", vk::kReturn, kNone, false, KeyAction::kPassOn},
      {"Enter on a radio button", vk::kReturn, kNone, true, KeyAction::kPassOn},
      {"F1", vk::kF1, kNone, false, KeyAction::kPassOn},
      {"Alt+F4", vk::kF4, kAlt, false, KeyAction::kPassOn},
      {"Space on a radio button", kSpace, kNone, true, KeyAction::kPassOn},
      {"A letter", kLetterA, kNone, false, KeyAction::kPassOn},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideKeyAction(c.key, c.modifiers, c.onRadio), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace quorvane::ui
