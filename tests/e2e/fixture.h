#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "tests/e2e/driver.h"

namespace quorvane::e2e {

// The message box texts of the program.
inline constexpr wchar_t kErrorTitle[] = L"Error";
inline constexpr wchar_t kGreetingTitle[] = L"财务部";
inline constexpr wchar_t kGreetingText[] = L"要开心呀！加油哦！";

// A control's name as the finance department calls it, for failure messages.
std::string NameOf(Control control);
std::string NameOfId(int id);
// UTF-8 of a UTF-16 text, so that failure messages show Chinese texts readably.
std::string Utf8(std::wstring_view text);

// Names the cases of a parameterised test after their `name` field.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& tested) const {
    return tested.param.name;
  }
};

// Every test starts its own quorvane.exe, waits for its main window and ends the process when
// it is done, whatever happened.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Program& program() { return *program_; }
  HWND main() const { return main_; }
  HWND Window(Control control) const { return program_->Child(control); }

  // Clicks the middle of a control.
  ::testing::AssertionResult ClickOn(Control control);
  // Selects a radio button with the mouse.
  ::testing::AssertionResult Select(Control radio);
  // Selects each radio button in turn.
  ::testing::AssertionResult SelectAll(std::initializer_list<Control> radios);
  // Clicks into an edit box and types `text` at its end.
  ::testing::AssertionResult TypeInto(Control edit, std::wstring_view text);
  // Presses Tab until the focus is on `control` (no more than once round the focus order).
  ::testing::AssertionResult TabTo(Control control);
  // Presses a key and waits until the focus is on `expected`.
  ::testing::AssertionResult KeyMovesFocusTo(WORD vk, unsigned modifiers, Control expected);

  std::wstring TextOf(Control control) const { return e2e::TextOf(Window(control)); }
  bool IsChecked(Control radio) const { return e2e::IsChecked(Window(radio)); }
  // Waits for 编辑框4 to show `expected`.
  ::testing::AssertionResult OutputBecomes(std::wstring_view expected);
  // Clicks 计算 and waits for 编辑框4 to show `expected`.
  ::testing::AssertionResult CalculateGives(std::wstring_view expected);

  // Waits for exactly one message box with this title and text, one visible button and no
  // owner, while the main window is disabled; gives it back through `box`.
  ::testing::AssertionResult MessageBoxShows(std::wstring_view title, std::wstring_view text,
                                             HWND* box = nullptr);
  // Waits until no message box is open, the main window is enabled and active again and the
  // focus is back on `focus`.
  ::testing::AssertionResult BackToMainWindow(Control focus);
  // For a state that must not come: no message box stays the case for a while.
  ::testing::AssertionResult NoMessageBoxAppears();

 private:
  std::optional<Program> program_;
  HWND main_ = nullptr;
};

}  // namespace quorvane::e2e
