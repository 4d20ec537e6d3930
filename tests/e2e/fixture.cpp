#include "tests/e2e/fixture.h"

#include <algorithm>

namespace quorvane::e2e {
namespace {

struct Named {
  Control control;
  const char* name;
};

constexpr Named kNames[] = {
    {Control::单选框1, "单选框1"}, {Control::单选框2, "单选框2"},     {Control::单选框3, "单选框3"},
    {Control::单选框4, "单选框4"}, {Control::单选框5, "单选框5"},     {Control::单选框6, "单选框6"},
    {Control::单选框7, "单选框7"}, {Control::单选框8, "单选框8"},     {Control::编辑框1, "编辑框1"},
    {Control::编辑框2, "编辑框2"}, {Control::编辑框3, "编辑框3"},     {Control::编辑框4, "编辑框4"},
    {Control::按钮1, "按钮1"},     {Control::图片框1, "图片框1"},     {Control::分组框1, "分组框1"},
    {Control::分组框2, "分组框2"}, {Control::分组框3, "分组框3"},     {Control::分组框4, "分组框4"},
    {Control::标签3, "标签3"},     {Control::标签4, "标签4"},         {Control::标签5, "标签5"},
    {Control::标签6, "标签6"},     {Control::透明标签1, "透明标签1"},
};

::testing::AssertionResult Fail() {
  return ::testing::AssertionFailure();
}

}  // namespace

std::string NameOfId(int id) {
  for (const Named& named : kNames) {
    if (static_cast<int>(named.control) == id) {
      return named.name;
    }
  }
  return id == 0 ? "nothing of the main window" : "control " + std::to_string(id);
}

std::string NameOf(Control control) {
  return NameOfId(static_cast<int>(control));
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  std::string bytes(text.size() * 3, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(std::max(length, 0)));
  return bytes;
}

void ProgramTest::SetUp() {
  program_.emplace(ProgramPath());
  ASSERT_TRUE(program_->Started())
      << "CreateProcess failed for " << Utf8(ProgramPath()) << ", error " << GetLastError();
  main_ = program_->WaitForMainWindow();
  ASSERT_NE(main_, nullptr) << "no visible, painted and active main window \"QuorvaneV2.0\"";
}

void ProgramTest::TearDown() {
  ReleaseAll();
  program_.reset();
}

::testing::AssertionResult ProgramTest::ClickOn(Control control) {
  HWND window = Window(control);
  if (window == nullptr) {
    return Fail() << NameOf(control) << " does not exist";
  }
  if (!Click(Centre(ScreenRect(window)))) {
    return Fail() << "the pointer did not reach " << NameOf(control);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::Select(Control radio) {
  if (auto clicked = ClickOn(radio); !clicked) {
    return clicked;
  }
  if (!WaitFor([&] { return IsChecked(radio); })) {
    return Fail() << "a click on " << NameOf(radio) << " did not select it";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::SelectAll(std::initializer_list<Control> radios) {
  for (Control radio : radios) {
    if (auto selected = Select(radio); !selected) {
      return selected;
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::TypeInto(Control edit, std::wstring_view text) {
  if (auto clicked = ClickOn(edit); !clicked) {
    return clicked;
  }
  if (!program_->WaitForFocus(edit)) {
    return Fail() << "a click on " << NameOf(edit) << " left the focus on "
                  << NameOfId(program_->FocusedId());
  }
  // The click put the caret at the click position; typing goes at the end.
  Key(VK_END);
  const std::wstring expected = TextOf(edit) + std::wstring(text);
  Type(text);
  if (!WaitFor([&] { return TextOf(edit) == expected; })) {
    return Fail() << NameOf(edit) << " shows \"" << Utf8(TextOf(edit)) << "\" after typing, not \""
                  << Utf8(expected) << "\"";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::TabTo(Control control) {
  constexpr int kFocusableControls = 13;
  for (int step = 0; step < kFocusableControls; ++step) {
    if (program_->FocusedId() == static_cast<int>(control)) {
      return ::testing::AssertionSuccess();
    }
    const int before = program_->FocusedId();
    Key(VK_TAB);
    if (!WaitFor([&] { return program_->FocusedId() != before; })) {
      return Fail() << "Tab did not move the focus from " << NameOfId(before);
    }
  }
  return program_->FocusedId() == static_cast<int>(control)
             ? ::testing::AssertionSuccess()
             : Fail() << "Tab never reached " << NameOf(control);
}

::testing::AssertionResult ProgramTest::KeyMovesFocusTo(WORD vk, unsigned modifiers,
                                                        Control expected) {
  const int before = program_->FocusedId();
  Key(vk, modifiers);
  if (!program_->WaitForFocus(expected)) {
    return Fail() << "key " << vk << " (modifiers " << modifiers << ") from " << NameOfId(before)
                  << " left the focus on " << NameOfId(program_->FocusedId()) << ", not on "
                  << NameOf(expected);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::OutputBecomes(std::wstring_view expected) {
  if (!WaitFor([&] { return TextOf(Control::编辑框4) == expected; })) {
    return Fail() << "编辑框4 shows \"" << Utf8(TextOf(Control::编辑框4)) << "\", not \""
                  << Utf8(expected) << "\""
                  << (program_->MessageBoxes().empty() ? "" : " (a message box is open)");
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::CalculateGives(std::wstring_view expected) {
  if (auto clicked = ClickOn(Control::按钮1); !clicked) {
    return clicked;
  }
  return OutputBecomes(expected);
}

::testing::AssertionResult ProgramTest::MessageBoxShows(std::wstring_view title,
                                                        std::wstring_view text, HWND* box) {
  HWND found = program_->WaitForMessageBox();
  if (box != nullptr) {
    *box = found;
  }
  if (found == nullptr) {
    return Fail() << "expected one message box \"" << Utf8(text) << "\", found "
                  << program_->MessageBoxes().size();
  }
  const MessageBoxView view = ReadMessageBox(found);
  auto failure = Fail();
  bool failed = false;
  if (view.title != title) {
    failure << "title \"" << Utf8(view.title) << "\", not \"" << Utf8(title) << "\"; ";
    failed = true;
  }
  if (view.text != text) {
    failure << "text \"" << Utf8(view.text) << "\", not \"" << Utf8(text) << "\"; ";
    failed = true;
  }
  if (view.visibleButtons.size() != 1 || GetDlgCtrlID(view.visibleButtons.front()) != IDOK) {
    failure << view.visibleButtons.size() << " visible buttons, not one OK button; ";
    failed = true;
  }
  if (view.owner != nullptr) {
    failure << "the box has an owner window; ";
    failed = true;
  }
  if (IsWindowEnabled(main_)) {
    failure << "the main window is enabled while the box is open; ";
    failed = true;
  }
  return failed ? failure : ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::BackToMainWindow(Control focus) {
  const bool back = WaitFor([&] {
    return program_->MessageBoxes().empty() && IsWindowEnabled(main_) &&
           program_->Active() == main_ && program_->FocusedId() == static_cast<int>(focus);
  });
  if (!back) {
    return Fail() << "after the box: " << program_->MessageBoxes().size() << " boxes open, main "
                  << (IsWindowEnabled(main_) ? "enabled" : "disabled") << ", "
                  << (program_->Active() == main_ ? "active" : "not active") << ", focus on "
                  << NameOfId(program_->FocusedId()) << ", expected on " << NameOf(focus);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramTest::NoMessageBoxAppears() {
  if (!StaysTrue([&] { return program_->MessageBoxes().empty(); })) {
    const std::vector<HWND> boxes = program_->MessageBoxes();
    return Fail() << "a message box appeared: \""
                  << (boxes.empty() ? std::string() : Utf8(ReadMessageBox(boxes.front()).text))
                  << "\"";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace quorvane::e2e
