// The window's keyboard interface and the ways of closing it, with real keys and clicks.

#include <algorithm>
#include <iterator>
#include <optional>

#include "tests/e2e/fixture.h"

namespace quorvane::e2e {
namespace {

constexpr Control kFocusOrder[] = {
    Control::编辑框1, Control::编辑框2, Control::编辑框4, Control::编辑框3, Control::单选框1,
    Control::单选框2, Control::单选框3, Control::单选框4, Control::按钮1,   Control::单选框5,
    Control::单选框6, Control::单选框7, Control::单选框8,
};

constexpr Control kRadioButtons[] = {Control::单选框1, Control::单选框2, Control::单选框3,
                                     Control::单选框4, Control::单选框5, Control::单选框6,
                                     Control::单选框7, Control::单选框8};

using Keyboard = ProgramTest;

TEST_F(Keyboard, TabVisitsTheFocusOrderAndWrapsWithoutSelecting) {
  for (std::size_t step = 1; step <= std::size(kFocusOrder); ++step) {
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, kFocusOrder[step % std::size(kFocusOrder)]));
  }
  for (Control radio : kRadioButtons) {
    EXPECT_FALSE(IsChecked(radio)) << NameOf(radio) << " was selected by Tab";
  }
}

TEST_F(Keyboard, ShiftTabVisitsTheFocusOrderBackwards) {
  // From 编辑框1 back to 单选框8, and on round to 编辑框1.
  for (std::size_t step = std::size(kFocusOrder); step-- > 0;) {
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kShift, kFocusOrder[step]));
  }
  for (Control radio : kRadioButtons) {
    EXPECT_FALSE(IsChecked(radio)) << NameOf(radio) << " was selected by Shift+Tab";
  }
}

// A key that must have no effect, followed by a Tab: once the Tab has arrived the first key has
// been handled too, and the focus shows whether it moved.
TEST_F(Keyboard, TabWithOtherModifiersDoesNotMoveTheFocus) {
  for (unsigned modifiers : std::initializer_list<unsigned>{kCtrl, kCtrl | kShift}) {
    SCOPED_TRACE(modifiers);
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, Control::编辑框2));
    Key(VK_TAB, modifiers);
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, Control::编辑框4));
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kShift, Control::编辑框2));
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kShift, Control::编辑框1));
  }
}

TEST_F(Keyboard, ArrowKeysSwitchTheOptionOfTheFocusedGroupOnly) {
  // Options of two other groups selected, so that a change there would show.
  ASSERT_TRUE(SelectAll({Control::单选框3, Control::单选框8}));
  ASSERT_TRUE(TabTo(Control::单选框5));
  ASSERT_FALSE(IsChecked(Control::单选框5));

  struct Step {
    WORD vk;
    Control selected;
    Control cleared;
  };
  constexpr Step kSteps[] = {
      {VK_DOWN, Control::单选框6, Control::单选框5},  {VK_DOWN, Control::单选框5, Control::单选框6},
      {VK_RIGHT, Control::单选框6, Control::单选框5}, {VK_UP, Control::单选框5, Control::单选框6},
      {VK_LEFT, Control::单选框6, Control::单选框5},
  };
  for (const Step& step : kSteps) {
    SCOPED_TRACE("key " + std::to_string(step.vk) + " to " + NameOf(step.selected));
    ASSERT_TRUE(KeyMovesFocusTo(step.vk, kNoModifier, step.selected));
    EXPECT_TRUE(WaitFor([&] { return IsChecked(step.selected); }));
    EXPECT_FALSE(IsChecked(step.cleared));
    for (Control radio : {Control::单选框3, Control::单选框8}) {
      EXPECT_TRUE(IsChecked(radio)) << NameOf(radio) << " lost its selection";
    }
    for (Control radio : {Control::单选框1, Control::单选框2, Control::单选框4, Control::单选框7}) {
      EXPECT_FALSE(IsChecked(radio)) << NameOf(radio) << " became selected";
    }
  }
}

TEST_F(Keyboard, ClickingAnOptionClearsOnlyTheOtherOptionOfItsGroup) {
  struct Group {
    Control first;
    Control second;
  };
  constexpr Group kGroups[] = {{Control::单选框1, Control::单选框2},
                               {Control::单选框3, Control::单选框4},
                               {Control::单选框5, Control::单选框6},
                               {Control::单选框7, Control::单选框8}};
  // Selections made so far, carried from group to group.
  std::vector<Control> selected;
  for (const Group& group : kGroups) {
    SCOPED_TRACE(NameOf(group.first) + " then " + NameOf(group.second));
    ASSERT_TRUE(Select(group.first));
    ASSERT_TRUE(Select(group.second));
    selected.push_back(group.second);
    for (Control radio : kRadioButtons) {
      const bool shouldBeSelected =
          std::find(selected.begin(), selected.end(), radio) != selected.end();
      EXPECT_EQ(IsChecked(radio), shouldBeSelected) << NameOf(radio);
    }
  }
}

TEST_F(Keyboard, EnterNeitherCalculatesNorMovesTheFocus) {
  ASSERT_TRUE(SelectAll({Control::单选框5, Control::单选框7, Control::单选框1, Control::单选框3}));
  ASSERT_TRUE(TypeInto(Control::编辑框1, L"10"));
  ASSERT_TRUE(TypeInto(Control::编辑框2, L"100"));
  struct Case {
    Control edit;
    Control next;
  };
  constexpr Case kCases[] = {{Control::编辑框1, Control::编辑框2},
                             {Control::编辑框2, Control::编辑框4},
                             {Control::编辑框3, Control::单选框1},
                             {Control::编辑框4, Control::编辑框3}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(NameOf(c.edit));
    ASSERT_TRUE(ClickOn(c.edit));
    ASSERT_TRUE(program().WaitForFocus(c.edit));
    Key(VK_RETURN);
    // Had Enter moved the focus, the Tab would start from somewhere else.
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, c.next));
    EXPECT_EQ(TextOf(Control::编辑框4), L"") << "Enter ran the calculation";
    EXPECT_TRUE(program().MessageBoxes().empty());
  }
}

TEST_F(Keyboard, ShiftEscDoesNotClose) {
  Key(VK_ESCAPE, kShift);
  ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, Control::编辑框2));
  EXPECT_TRUE(program().IsRunning());
  EXPECT_TRUE(IsWindowVisible(main()));
}

// ---------------------------------------------------------------------------------------------

enum class CloseBy { kEsc, kAltF4, kCloseButton, kSystemMenuClose };

struct CloseCase {
  const char* name;
  Control focus;  // where the focus is when the window is closed
  CloseBy by;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
  *out << c.name;
}

// A point of the caption that the window itself reports as its close button.
std::optional<POINT> CloseButtonPoint(HWND main) {
  const RECT outer = ScreenRect(main);
  const auto hitTest = [&](int x, int y) {
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(main, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &hit);
    return hit;
  };
  for (int y = outer.top; y < outer.top + 40; ++y) {
    for (int x = outer.right - 1; x > outer.right - 80; --x) {
      if (hitTest(x, y) == HTCLOSE && hitTest(x, y + 4) == HTCLOSE) {
        int left = x;
        while (left > outer.left && hitTest(left - 1, y + 4) == HTCLOSE) {
          --left;
        }
        return POINT{(left + x) / 2, y + 4};
      }
    }
  }
  return std::nullopt;
}

class Closing : public ProgramTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, EndsTheProgramWithExitCodeZero) {
  ASSERT_TRUE(TabTo(GetParam().focus));
  switch (GetParam().by) {
    case CloseBy::kEsc:
      Key(VK_ESCAPE);
      break;
    case CloseBy::kAltF4:
      Key(VK_F4, kAlt);
      break;
    case CloseBy::kCloseButton: {
      const std::optional<POINT> point = CloseButtonPoint(main());
      ASSERT_TRUE(point.has_value()) << "no close button in the caption";
      ASSERT_TRUE(Click(*point));
      break;
    }
    case CloseBy::kSystemMenuClose:
      // What Close in the system menu sends.
      PostMessageW(main(), WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
  const std::optional<DWORD> code = program().WaitForExit();
  ASSERT_TRUE(code.has_value()) << "the program is still running";
  EXPECT_EQ(*code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(CloseCase{"EscInTheUnitPrice", Control::编辑框1, CloseBy::kEsc},
                      CloseCase{"EscOnTheCalculateButton", Control::按钮1, CloseBy::kEsc},
                      CloseCase{"EscOnAnOption", Control::单选框6, CloseBy::kEsc},
                      CloseCase{"AltF4", Control::编辑框3, CloseBy::kAltF4},
                      CloseCase{"CloseButton", Control::编辑框1, CloseBy::kCloseButton},
                      CloseCase{"SystemMenuClose", Control::编辑框1, CloseBy::kSystemMenuClose}),
    CaseName());

}  // namespace
}  // namespace quorvane::e2e
