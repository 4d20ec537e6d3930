// The main window as it first appears: place, size, controls, texts and initial state.

#include "tests/e2e/fixture.h"

namespace quorvane::e2e {
namespace {

struct ExpectedControl {
  Control control;
  int left;  // in the main window's client area
  int top;
  int width;
  int height;
  const wchar_t* text;
};

// The radio buttons at their group box's origin plus their offset inside it.
constexpr ExpectedControl kControls[] = {
    {Control::单选框8, 261, 56, 64, 16, L"行业"},
    {Control::单选框7, 261, 32, 64, 16, L"商超"},
    {Control::单选框6, 30, 56, 64, 16, L"四大"},
    {Control::单选框5, 30, 32, 64, 16, L"正规"},
    {Control::分组框4, 247, 16, 85, 64, L"短信类型"},
    {Control::分组框3, 16, 16, 85, 64, L"平台类型"},
    {Control::按钮1, 133, 214, 80, 30, L"计算"},
    {Control::图片框1, 113, 24, 120, 128, L""},
    {Control::单选框4, 261, 130, 64, 16, L"老客户"},
    {Control::单选框3, 261, 106, 64, 16, L"新客户"},
    {Control::分组框2, 247, 90, 85, 64, L"客户类型"},
    {Control::单选框2, 30, 130, 64, 16, L"S4-S7"},
    {Control::单选框1, 30, 106, 64, 16, L"S1-S3"},
    {Control::分组框1, 16, 90, 85, 64, L"销售类型"},
    {Control::透明标签1, 85, 303, 175, 16, L"Drenvik科技有限公司——财务部"},
    {Control::标签6, 206, 253, 34, 33, L"个提："},
    {Control::标签5, 206, 174, 34, 33, L"数量："},
    {Control::编辑框3, 49, 255, 88, 32, L""},
    {Control::标签4, 14, 174, 34, 33, L"单价："},
    {Control::标签3, 14, 253, 34, 33, L"团提："},
    {Control::编辑框4, 244, 255, 88, 32, L""},
    {Control::编辑框2, 244, 175, 88, 32, L""},
    {Control::编辑框1, 49, 175, 88, 32, L""},
};

constexpr Control kRadioButtons[] = {Control::单选框1, Control::单选框2, Control::单选框3,
                                     Control::单选框4, Control::单选框5, Control::单选框6,
                                     Control::单选框7, Control::单选框8};

using MainWindowAtStart = ProgramTest;

TEST_F(MainWindowAtStart, IsCentredAtItsFixedSize) {
  EXPECT_EQ(e2e::TextOf(main()), L"QuorvaneV2.0");
  const RECT outer = ScreenRect(main());
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // 336, 208 on the 1024 x 768 screen of the test display.
  EXPECT_EQ(outer.left, (screenWidth - 352) / 2);
  EXPECT_EQ(outer.top, (screenHeight - 351) / 2);
  EXPECT_EQ(outer.right - outer.left, 352);
  EXPECT_EQ(outer.bottom - outer.top, 351);
  RECT client{};
  GetClientRect(main(), &client);
  EXPECT_GE(client.right, 332) << "the controls reach x 332";
  EXPECT_GE(client.bottom, 319) << "the controls reach y 319";
}

TEST_F(MainWindowAtStart, HasEveryControlInPlaceWithItsText) {
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(NameOf(expected.control));
    HWND window = Window(expected.control);
    ASSERT_NE(window, nullptr) << "no control with identifier "
                               << static_cast<int>(expected.control);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(Utf8(e2e::TextOf(window)), Utf8(expected.text));
    RECT rect = ScreenRect(window);
    MapWindowPoints(HWND_DESKTOP, main(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
  }
}

TEST_F(MainWindowAtStart, HasNoSelectionEmptyFieldsAndTheFocusInTheUnitPrice) {
  for (Control radio : kRadioButtons) {
    EXPECT_FALSE(IsChecked(radio)) << NameOf(radio);
  }
  for (Control edit : {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框4}) {
    EXPECT_EQ(TextOf(edit), L"") << NameOf(edit);
  }
  EXPECT_EQ(NameOfId(program().FocusedId()), NameOf(Control::编辑框1));
  // Caret at the start, nothing selected: EM_GETSEL packs start and end into its result.
  DWORD_PTR selection = 1;
  SendMessageTimeoutW(Window(Control::编辑框1), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &selection);
  EXPECT_EQ(selection, 0u);
  EXPECT_TRUE(program().MessageBoxes().empty());
}

}  // namespace
}  // namespace quorvane::e2e
