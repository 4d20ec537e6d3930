#include "ui/focus_order.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvane::ui {
namespace {

using enum Control;

const std::vector<Control> kFullOrder = {编辑框1, 编辑框2, 编辑框4, 编辑框3, 单选框1,
                                         单选框2, 单选框3, 单选框4, 按钮1,   单选框5,
                                         单选框6, 单选框7, 单选框8};

std::vector<Control> OrderWithout(std::set<Control> unavailable) {
  return FocusOrder(kControlList, [&](Control id) { return !unavailable.contains(id); });
}

TEST(FocusOrderTest, EqualTabOrderValuesPutTheControlListedLaterFirst) {
  EXPECT_EQ(OrderWithout({}), kFullOrder);
}

TEST(FocusOrderTest, ControlsThatCannotTakeTheFocusNowAreLeftOut) {
  EXPECT_EQ(OrderWithout({编辑框2, 单选框1, 单选框2, 按钮1}),
            (std::vector<Control>{编辑框1, 编辑框4, 编辑框3, 单选框3, 单选框4, 单选框5, 单选框6,
                                  单选框7, 单选框8}));
  EXPECT_TRUE(OrderWithout(std::set<Control>(kFullOrder.begin(), kFullOrder.end())).empty());
}

TEST(FocusOrderTest, SmallerTabOrderValuesComeFirstWhateverTheListPosition) {
  auto controls = kControlList;
  for (ControlSpec& control : controls) {
    if (control.id == 单选框8) {
      control.tabOrder = -1;
    } else if (control.id == 编辑框1 || control.id == 编辑框2) {
      control.tabOrder = 2;
    } else if (control.id == 标签3) {
      control.tabStop = true;  // a label never takes the focus, tab stop or not
    }
  }
  const std::vector<Control> order = FocusOrder(controls, [](Control) { return true; });
  EXPECT_EQ(order,
            (std::vector<Control>{单选框8, 编辑框4, 编辑框3, 单选框1, 单选框2, 单选框3, 单选框4,
                                  按钮1, 单选框5, 单选框6, 单选框7, 编辑框1, 编辑框2}));
}

TEST(FocusOrderTest, TabAndShiftTabStepThroughTheOrderAndWrap) {
  struct Case {
    std::optional<Control> current;
    Direction direction;
    std::optional<Control> expected;
  };
  const Case cases[] = {
      {编辑框1, Direction::kForward, 编辑框2},
      {编辑框2, Direction::kForward, 编辑框4},
      {编辑框3, Direction::kForward, 单选框1},
      {单选框4, Direction::kForward, 按钮1},
      {按钮1, Direction::kForward, 单选框5},
      {单选框8, Direction::kForward, 编辑框1},
      {编辑框1, Direction::kBackward, 单选框8},
      {单选框5, Direction::kBackward, 按钮1},
      {std::nullopt, Direction::kForward, std::nullopt},
      {std::nullopt, Direction::kBackward, std::nullopt},
      // Focus on a control outside the order: the first (or last) one is next.
      {标签3, Direction::kForward, 编辑框1},
      {标签3, Direction::kBackward, 单选框8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextInFocusOrder(kFullOrder, c.current, c.direction), c.expected)
        << (c.current ? FindControl(*c.current)->name : "no focus")
        << (c.direction == Direction::kForward ? " Tab" : " Shift+Tab");
  }
  EXPECT_EQ(NextInFocusOrder({}, 编辑框1, Direction::kForward), std::nullopt);
}

TEST(FocusOrderTest, ThirteenTabsVisitEveryControlOnceAndComeBack) {
  std::optional<Control> focus = 编辑框1;
  std::set<Control> visited;
  for (std::size_t i = 0; i < kFullOrder.size(); ++i) {
    focus = NextInFocusOrder(kFullOrder, focus, Direction::kForward);
    visited.insert(*focus);
  }
  EXPECT_EQ(focus, 编辑框1);
  EXPECT_EQ(visited.size(), kFullOrder.size());
}

TEST(FocusOrderTest, ArrowKeysMoveWithinTheRadioButtonsOwnContainerAndWrap) {
  struct Case {
    Control current;
    Direction direction;
    std::optional<Control> expected;
  };
  const Case cases[] = {
      {单选框5, Direction::kForward, 单选框6},      {单选框6, Direction::kForward, 单选框5},
      {单选框5, Direction::kBackward, 单选框6},     {单选框7, Direction::kForward, 单选框8},
      {单选框1, Direction::kForward, 单选框2},      {单选框4, Direction::kBackward, 单选框3},
      {编辑框1, Direction::kForward, std::nullopt}, {按钮1, Direction::kBackward, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextRadioInContainer(kControlList, kFullOrder, c.current, c.direction), c.expected)
        << FindControl(c.current)->name;
  }
}

TEST(FocusOrderTest, AnArrowKeySkipsARadioButtonThatCannotTakeTheFocus) {
  const std::vector<Control> order = OrderWithout({单选框6});
  EXPECT_EQ(NextRadioInContainer(kControlList, order, 单选框5, Direction::kForward), 单选框5);
  EXPECT_EQ(NextRadioInContainer(kControlList, order, 单选框6, Direction::kForward), std::nullopt);
}

}  // namespace
}  // namespace quorvane::ui
