#include "ui/control_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane::ui {
namespace {

std::string KindPrefix(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEditBox:
      return "编辑框";
    case ControlKind::kLabel:
      return "标签";
    case ControlKind::kGroupBox:
      return "分组框";
    case ControlKind::kPushButton:
      return "按钮";
    case ControlKind::kRadioButton:
      return "单选框";
    case ControlKind::kPictureBox:
      return "图片框";
    case ControlKind::kTransparentLabel:
      return "透明标签";
  }
  return "?";
}

std::vector<std::string> NamesOfChildren(std::optional<Control> container) {
  std::vector<std::string> names;
  for (const ControlSpec& control : kControlList) {
    if (control.container == container) {
      names.emplace_back(control.name);
    }
  }
  return names;
}

TEST(ControlListTest, NamesIdentifiersAndKindsAgree) {
  for (const ControlSpec& control : kControlList) {
    SCOPED_TRACE(std::string(control.name));
    // The name is the kind's word and a serial number, and it finds this entry.
    EXPECT_EQ(std::string(control.name).rfind(KindPrefix(control.kind), 0), 0u);
    EXPECT_EQ(FindControlByName(control.name), &control);
    EXPECT_EQ(FindControl(control.id), &control);
  }
  EXPECT_EQ(FindControlByName("单选框5")->id, Control::单选框5);
  EXPECT_EQ(FindControlByName("编辑框4")->id, Control::编辑框4);
  EXPECT_EQ(FindControlByName("按钮1")->id, Control::按钮1);
  EXPECT_EQ(FindControlByName("单选框9"), nullptr);
  EXPECT_EQ(FindControl(static_cast<Control>(kMainFormId)), nullptr);
}

TEST(ControlListTest, RadioButtonsSitInTheirGroupBoxesAtTheWindowPositionsOfTheForm) {
  struct Case {
    Control radio;
    Control group;
    int left, top;
  };
  const Case cases[] = {
      {Control::单选框5, Control::分组框3, 30, 32},
      {Control::单选框6, Control::分组框3, 30, 56},
      {Control::单选框7, Control::分组框4, 261, 32},
      {Control::单选框8, Control::分组框4, 261, 56},
      {Control::单选框1, Control::分组框1, 30, 106},
      {Control::单选框2, Control::分组框1, 30, 130},
      {Control::单选框3, Control::分组框2, 261, 106},
      {Control::单选框4, Control::分组框2, 261, 130},
  };
  for (const Case& c : cases) {
    const ControlSpec& radio = *FindControl(c.radio);
    SCOPED_TRACE(std::string(radio.name));
    EXPECT_EQ(radio.container, c.group);
    const Bounds inWindow = BoundsInWindow(radio);
    EXPECT_EQ(inWindow.left, c.left);
    EXPECT_EQ(inWindow.top, c.top);
  }
  // Each group box holds exactly its two options, the second listed first.
  EXPECT_EQ(NamesOfChildren(Control::分组框3), (std::vector<std::string>{"单选框6", "单选框5"}));
  EXPECT_EQ(NamesOfChildren(Control::分组框4), (std::vector<std::string>{"单选框8", "单选框7"}));
  EXPECT_EQ(NamesOfChildren(Control::分组框1), (std::vector<std::string>{"单选框2", "单选框1"}));
  EXPECT_EQ(NamesOfChildren(Control::分组框2), (std::vector<std::string>{"单选框4", "单选框3"}));
}

TEST(ControlListTest, TheWindowsChildrenAreDrawnInTheFormsOrder) {
  EXPECT_EQ(NamesOfChildren(std::nullopt),
            (std::vector<std::string>{"分组框4", "分组框3", "按钮1", "图片框1", "分组框2",
                                      "分组框1", "透明标签1", "标签6", "标签5", "编辑框3", "标签4",
                                      "标签3", "编辑框4", "编辑框2", "编辑框1"}));
}

TEST(ControlListTest, ControlsStayInsideTheClientAreaAndSiblingsDoNotOverlap) {
  for (const ControlSpec& control : kControlList) {
    SCOPED_TRACE(std::string(control.name));
    const Bounds inWindow = BoundsInWindow(control);
    EXPECT_GE(inWindow.left, 14);
    EXPECT_GE(inWindow.top, 16);
    EXPECT_LE(inWindow.right(), 332);
    EXPECT_LE(inWindow.bottom(), 319);
    for (const ControlSpec& other : kControlList) {
      if (&other == &control || other.container != control.container) {
        continue;
      }
      const Bounds a = control.bounds;
      const Bounds b = other.bounds;
      const bool overlap =
          a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
      EXPECT_FALSE(overlap) << "overlaps " << other.name;
    }
    if (control.container) {
      // Inside its group box's rectangle, which is the group box's client area.
      const Bounds group = FindControl(*control.container)->bounds;
      EXPECT_LE(control.bounds.right(), group.width);
      EXPECT_LE(control.bounds.bottom(), group.height);
    }
  }
}

TEST(ControlListTest, OnlyEditBoxesRadioButtonsAndThePushButtonAreTabStops) {
  int tabStops = 0;
  for (const ControlSpec& control : kControlList) {
    SCOPED_TRACE(std::string(control.name));
    EXPECT_EQ(control.tabStop, control.kind == ControlKind::kEditBox ||
                                   control.kind == ControlKind::kRadioButton ||
                                   control.kind == ControlKind::kPushButton);
    EXPECT_EQ(control.tabOrder, 0);
    tabStops += control.tabStop ? 1 : 0;
  }
  EXPECT_EQ(tabStops, 13);
}

TEST(ControlListTest, TextsAreTheFormsOwn) {
  EXPECT_STREQ(FindControl(Control::标签4)->text, L"单价：");
  EXPECT_STREQ(FindControl(Control::标签6)->text, L"个提：");
  EXPECT_STREQ(FindControl(Control::按钮1)->text, L"计算");
  EXPECT_STREQ(FindControl(Control::单选框2)->text, L"S4-S7");
  EXPECT_STREQ(FindControl(Control::透明标签1)->text, L"Drenvik科技有限公司——财务部");
  for (const Control edit :
       {Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::编辑框4}) {
    EXPECT_STREQ(FindControl(edit)->text, L"");
  }
}

}  // namespace
}  // namespace quorvane::ui
