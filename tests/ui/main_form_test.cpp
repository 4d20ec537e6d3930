#include "ui/main_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/window_test_support.h"
#include "ui/placement.h"

namespace quorvane::ui {
namespace {

using enum Control;
using testing::MainFormFixture;
using testing::PumpMessages;
using testing::TextOf;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

LONG_PTR StyleOf(HWND window) {
  return GetWindowLongPtrW(window, GWL_STYLE);
}

using MainFormTest = MainFormFixture;

TEST_F(MainFormTest, TheWindowIsBuiltHiddenCentredWithAFixedFrame) {
  HWND window = form_.handle();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), L"QuorvaneV2.0");
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(form_.WindowById(kMainFormId), window);

  RECT outer{};
  GetWindowRect(window, &outer);
  const WindowOrigin origin =
      CentredWindowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(outer.left, origin.left);
  EXPECT_EQ(outer.top, origin.top);
  EXPECT_EQ(outer.right - outer.left, 352);
  EXPECT_EQ(outer.bottom - outer.top, 351);

  const LONG_PTR style = StyleOf(window);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  // The client area holds every control: at least 332 by 319.
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_GE(client.right, 332);
  EXPECT_GE(client.bottom, 319);
}

TEST_F(MainFormTest, EveryControlIsBuiltAsTheListDescribesIt) {
  const auto font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& control : kControlList) {
    SCOPED_TRACE(std::string(control.name));
    HWND window = Window(control.id);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetDlgCtrlID(window), static_cast<int>(control.id));
    EXPECT_EQ(form_.ControlOf(window), control.id);
    EXPECT_TRUE(StyleOf(window) & WS_VISIBLE);
    EXPECT_EQ(GetParent(window), control.container ? Window(*control.container) : form_.handle());

    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, control.bounds.left);
    EXPECT_EQ(rect.top, control.bounds.top);
    EXPECT_EQ(rect.right, control.bounds.right());
    EXPECT_EQ(rect.bottom, control.bounds.bottom());

    const LONG_PTR style = StyleOf(window);
    const LONG_PTR type = style & BS_TYPEMASK;
    if (control.kind != ControlKind::kPictureBox) {
      EXPECT_EQ(TextOf(window), control.text);
    }
    switch (control.kind) {
      case ControlKind::kEditBox:
        EXPECT_EQ(ClassOf(window), L"Edit");
        EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_TRUE(style & ES_AUTOHSCROLL);
        EXPECT_FALSE(style & (ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_NUMBER));
        EXPECT_TRUE(style & WS_TABSTOP);
        // No limit of the form's own: far beyond the edit control's default of 32767.
        EXPECT_GE(static_cast<unsigned long>(SendMessageW(window, EM_GETLIMITTEXT, 0, 0)),
                  0x7FFFFFFEul);
        break;
      case ControlKind::kLabel:
        EXPECT_EQ(ClassOf(window), L"QuorvaneLabel");
        break;
      case ControlKind::kGroupBox:
        EXPECT_EQ(ClassOf(window), L"Button");
        EXPECT_EQ(type, BS_GROUPBOX);
        EXPECT_FALSE(style & WS_TABSTOP);
        break;
      case ControlKind::kPushButton:
        EXPECT_EQ(ClassOf(window), L"Button");
        EXPECT_EQ(type, BS_PUSHBUTTON);  // not BS_DEFPUSHBUTTON: Enter does not press it
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
      case ControlKind::kRadioButton:
        EXPECT_EQ(ClassOf(window), L"Button");
        EXPECT_EQ(type, BS_AUTORADIOBUTTON);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_FALSE(style & WS_GROUP);
        break;
      case ControlKind::kPictureBox:
      case ControlKind::kTransparentLabel:
        EXPECT_FALSE(style & WS_TABSTOP);
        continue;  // their own engineer's kinds: the font is theirs to answer for
    }
    EXPECT_EQ(SendMessageW(window, WM_GETFONT, 0, 0), font);
  }
}

TEST_F(MainFormTest, SiblingsLieInTheListsDrawingOrder) {
  for (const std::optional<Control> container :
       {std::optional<Control>{}, std::optional<Control>{分组框1}, std::optional<Control>{分组框2},
        std::optional<Control>{分组框3}, std::optional<Control>{分组框4}}) {
    std::vector<Control> expected;
    for (const ControlSpec& control : kControlList) {
      if (control.container == container) {
        expected.push_back(control.id);
      }
    }
    std::vector<Control> actual;
    HWND parent = container ? Window(*container) : form_.handle();
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      actual.push_back(*form_.ControlOf(child));
    }
    EXPECT_EQ(actual, expected);
  }
}

TEST_F(MainFormTest, ShownTheWindowFocusesEditBox1WithNoOptionSelected) {
  ShowForm();
  EXPECT_TRUE(IsWindowVisible(form_.handle()));
  EXPECT_EQ(Focused(), 编辑框1);
  for (const ControlSpec& control : kControlList) {
    if (control.kind == ControlKind::kRadioButton) {
      EXPECT_FALSE(Checked(control.id)) << control.name;
    }
  }
}

TEST_F(MainFormTest, AClickedOptionClearsOnlyTheOtherOptionOfItsGroup) {
  ShowForm();
  SendMessageW(Window(单选框1), BM_CLICK, 0, 0);
  SendMessageW(Window(单选框3), BM_CLICK, 0, 0);
  SendMessageW(Window(单选框5), BM_CLICK, 0, 0);
  SendMessageW(Window(单选框2), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_FALSE(Checked(单选框1));
  EXPECT_TRUE(Checked(单选框2));
  EXPECT_TRUE(Checked(单选框3));
  EXPECT_FALSE(Checked(单选框4));
  EXPECT_TRUE(Checked(单选框5));
  EXPECT_FALSE(Checked(单选框6));
  EXPECT_FALSE(Checked(单选框7));
  EXPECT_FALSE(Checked(单选框8));
  EXPECT_EQ(events_.calculateClicks, 0);
}

TEST_F(MainFormTest, TheCalculateButtonReportsItsClickAndNothingElseDoes) {
  ShowForm();
  SendMessageW(Window(单选框5), BM_CLICK, 0, 0);
  SendMessageW(Window(编辑框1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"10"));
  PumpMessages();
  EXPECT_EQ(events_.calculateClicks, 0);
  SendMessageW(Window(按钮1), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(events_.calculateClicks, 1);
}

TEST_F(MainFormTest, TabAndShiftTabFollowTheFocusOrderRoundTheWindow) {
  ShowForm();
  const std::vector<Control> expected = {编辑框2, 编辑框4, 编辑框3, 单选框1, 单选框2,
                                         单选框3, 单选框4, 按钮1,   单选框5, 单选框6,
                                         单选框7, 单选框8, 编辑框1};
  std::vector<Control> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(PressKey(vk::kTab));
    visited.push_back(Focused().value_or(图片框1));
  }
  EXPECT_EQ(visited, expected);
  EXPECT_TRUE(PressKey(vk::kTab, {.shift = true}));
  EXPECT_EQ(Focused(), 单选框8);
  // Moving the focus selects nothing.
  for (const Control radio :
       {单选框1, 单选框2, 单选框3, 单选框4, 单选框5, 单选框6, 单选框7, 单选框8}) {
    EXPECT_FALSE(Checked(radio));
  }
}

TEST_F(MainFormTest, TabSkipsControlsThatAreDisabledOrHiddenNow) {
  ShowForm();
  EnableWindow(Window(编辑框2), FALSE);
  ShowWindow(Window(分组框1), SW_HIDE);  // hides 单选框1 and 单选框2 with it
  EnableWindow(Window(分组框2), FALSE);  // disables 单选框3 and 单选框4 with it
  EXPECT_TRUE(PressKey(vk::kTab));
  EXPECT_EQ(Focused(), 编辑框4);
  EXPECT_TRUE(PressKey(vk::kTab));
  EXPECT_TRUE(PressKey(vk::kTab));
  EXPECT_EQ(Focused(), 按钮1);
}

TEST_F(MainFormTest, ArrowKeysOnAnOptionSelectTheOtherOptionOfItsGroup) {
  ShowForm();
  SendMessageW(Window(单选框3), BM_CLICK, 0, 0);
  SetFocus(Window(单选框5));
  PumpMessages();

  EXPECT_TRUE(PressKey(vk::kDown));
  EXPECT_EQ(Focused(), 单选框6);
  EXPECT_TRUE(Checked(单选框6));
  EXPECT_FALSE(Checked(单选框5));

  EXPECT_TRUE(PressKey(vk::kDown));
  EXPECT_EQ(Focused(), 单选框5);
  EXPECT_TRUE(Checked(单选框5));
  EXPECT_FALSE(Checked(单选框6));

  EXPECT_TRUE(PressKey(vk::kLeft));
  EXPECT_EQ(Focused(), 单选框6);
  EXPECT_TRUE(Checked(单选框6));

  // The other groups keep what they had.
  EXPECT_TRUE(Checked(单选框3));
  for (const Control radio : {单选框1, 单选框2, 单选框4, 单选框7, 单选框8}) {
    EXPECT_FALSE(Checked(radio));
  }

  // With a modifier, or away from an option, an arrow key belongs to the control.
  EXPECT_FALSE(PressKey(vk::kDown, {.shift = true}));
  EXPECT_TRUE(Checked(单选框6));
  SetFocus(Window(编辑框1));
  EXPECT_FALSE(PressKey(vk::kDown));
  EXPECT_EQ(Focused(), 编辑框1);
}

TEST_F(MainFormTest, EnterF1AndOtherModifiedKeysReachTheFocusedControl) {
  ShowForm();
  struct Case {
    const char* what;
    unsigned key;
    Modifiers held;
  };
  const Case cases[] = {
      {"Enter", vk::kReturn, {}},
      {"F1", vk::kF1, {}},
      {"Ctrl+Tab", vk::kTab, {.ctrl = true}},
      {"Ctrl+Shift+Tab", vk::kTab, {.ctrl = true, .shift = true}},
      {"Shift+Esc", vk::kEscape, {.shift = true}},
      {"Ctrl+Esc", vk::kEscape, {.ctrl = true}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(PressKey(c.key, c.held)) << c.what;
    EXPECT_EQ(Focused(), 编辑框1) << c.what;
  }
  EXPECT_TRUE(IsWindow(form_.handle()));
  EXPECT_EQ(events_.calculateClicks, 0);
  EXPECT_EQ(events_.destroyed, 0);
}

TEST_F(MainFormTest, EscClosesTheWindowFromAnyControl) {
  ShowForm();
  SetFocus(Window(单选框7));
  EXPECT_TRUE(PressKey(vk::kEscape));
  EXPECT_EQ(events_.destroyed, 1);
  EXPECT_EQ(form_.handle(), nullptr);
}

TEST_F(MainFormTest, KeysForOtherWindowsAreLeftAlone) {
  ShowForm();
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  const MSG tab{other, WM_KEYDOWN, VK_TAB, 1, 0, {}};
  const MSG esc{other, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_FALSE(form_.HandleKeyboardStep(tab));
  EXPECT_FALSE(form_.HandleKeyboardStep(esc));
  EXPECT_TRUE(IsWindow(form_.handle()));
  DestroyWindow(other);
}

class FocusMemoryTest : public MainFormFixture {
 protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    other_ = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW, 0, 0, 120, 80, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other_, nullptr);
  }
  void TearDown() override { DestroyWindow(other_); }

  void ActivateOtherWindowAndComeBack() {
    ShowWindow(other_, SW_SHOW);
    SetForegroundWindow(other_);
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), other_);
    SetForegroundWindow(form_.handle());
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), form_.handle());
  }

  HWND other_ = nullptr;
};

TEST_F(FocusMemoryTest, TheControlFocusedAtDeactivationGetsTheFocusBack) {
  ShowForm();
  SetFocus(Window(编辑框3));
  ActivateOtherWindowAndComeBack();
  EXPECT_EQ(Focused(), 编辑框3);
}

TEST_F(FocusMemoryTest, MinimisedAndRestoredTheWindowFocusesTheSameControl) {
  ShowForm();
  SetFocus(Window(编辑框4));
  ShowWindow(form_.handle(), SW_MINIMIZE);
  PumpMessages();
  ShowWindow(form_.handle(), SW_RESTORE);
  SetForegroundWindow(form_.handle());
  PumpMessages();
  EXPECT_EQ(Focused(), 编辑框4);
}

TEST_F(FocusMemoryTest, ARememberedControlThatCannotTakeTheFocusGivesWayToTheFirst) {
  ShowForm();
  SetFocus(Window(单选框6));
  ShowWindow(other_, SW_SHOW);
  SetForegroundWindow(other_);
  PumpMessages();
  EnableWindow(Window(单选框6), FALSE);
  SetForegroundWindow(form_.handle());
  PumpMessages();
  EXPECT_EQ(Focused(), 编辑框1);
}

// A white 100 x 80 bitmap selected into a memory device context, for controls to paint into.
class MemoryCanvas {
 public:
  MemoryCanvas() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, 100, 80);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    Clear();
  }
  ~MemoryCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  void Clear() {
    const RECT all{0, 0, 100, 80};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

TEST_F(MainFormTest, LabelsAndGroupBoxesFillTheirOwnBackground) {
  ShowForm();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  MemoryCanvas canvas;

  // 标签4 "单价：" is 34 by 33: the face colour all over, and the text one line high, centred
  // vertically, starting at the left edge.
  SendMessageW(Window(标签4), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  int firstInkRow = -1;
  int lastInkRow = -1;
  int firstInkColumn = 34;
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 34; ++x) {
      if (canvas.At(x, y) != face) {
        firstInkRow = firstInkRow < 0 ? y : firstInkRow;
        lastInkRow = y;
        firstInkColumn = std::min(firstInkColumn, x);
      }
    }
  }
  ASSERT_GE(firstInkRow, 0) << "no text drawn";
  EXPECT_GT(lastInkRow - firstInkRow, 4);
  EXPECT_GT(firstInkRow, 4);
  EXPECT_LT(lastInkRow, 33 - 5);
  EXPECT_LT(std::abs((firstInkRow + lastInkRow) - 32), 6);  // centred within a few pixels
  EXPECT_LT(firstInkColumn, 4);
  EXPECT_EQ(canvas.At(50, 10), RGB(255, 255, 255));  // nothing beyond its rectangle

  // A group box paints its inside with the face colour when it is erased.
  canvas.Clear();
  EXPECT_NE(SendMessageW(Window(分组框1), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0),
            0);
  EXPECT_EQ(canvas.At(40, 40), face);
  EXPECT_EQ(canvas.At(84, 63), face);
  EXPECT_EQ(canvas.At(85, 64), RGB(255, 255, 255));
}

}  // namespace
}  // namespace quorvane::ui
