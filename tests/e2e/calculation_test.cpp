// "计算" through the real window: typed texts, the commission rules, long and unusual input.

#include <string>

#include "tests/e2e/fixture.h"

namespace quorvane::e2e {
namespace {

using Calculation = ProgramTest;

// The twelve rules with unit price 10, quantity 100 and team commission 50, one program run:
// every row changes the selections and clicks again.
TEST_F(Calculation, EveryRuleWritesItsCommission) {
  ASSERT_TRUE(TypeInto(Control::编辑框1, L"10"));
  ASSERT_TRUE(TypeInto(Control::编辑框2, L"100"));
  ASSERT_TRUE(TypeInto(Control::编辑框3, L"50"));
  struct Rule {
    const char* name;
    std::initializer_list<Control> select;
    const wchar_t* result;
  };
  // 四大 comes first, while no message type has been selected yet: it needs none.
  const Rule kRules[] = {
      {"四大 S1-S3 新客户", {Control::单选框6, Control::单选框1, Control::单选框3}, L"298.65"},
      {"四大 S1-S3 老客户", {Control::单选框4}, L"199.1"},
      {"四大 S4-S7 老客户", {Control::单选框2}, L"214.2"},
      {"四大 S4-S7 新客户", {Control::单选框3}, L"313.8"},
      {"四大 商超 S4-S7 新客户", {Control::单选框7}, L"313.8"},
      {"四大 行业 S1-S3 新客户", {Control::单选框8, Control::单选框1}, L"298.65"},
      {"正规 行业 S1-S3 新客户", {Control::单选框5}, L"299.25"},
      {"正规 行业 S1-S3 老客户", {Control::单选框4}, L"199.5"},
      {"正规 行业 S4-S7 老客户", {Control::单选框2}, L"214.5"},
      {"正规 行业 S4-S7 新客户", {Control::单选框3}, L"314.25"},
      {"正规 商超 S4-S7 新客户", {Control::单选框7}, L"314.16"},
      {"正规 商超 S4-S7 老客户", {Control::单选框4}, L"214.44"},
      {"正规 商超 S1-S3 老客户", {Control::单选框1}, L"199.44"},
      {"正规 商超 S1-S3 新客户", {Control::单选框3}, L"299.16"},
  };
  for (const Rule& rule : kRules) {
    SCOPED_TRACE(rule.name);
    ASSERT_TRUE(SelectAll(rule.select));
    // Emptied first, so that the result must come from this click.
    SendMessageTimeoutW(Window(Control::编辑框4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    ASSERT_TRUE(CalculateGives(rule.result));
    EXPECT_TRUE(program().MessageBoxes().empty());
  }
}

// Texts typed with real key presses, full-width forms included. The tests run Wine with the
// ANSI code page 1252, so these only come out right when the program converts the window's
// texts as code page 936 itself.
struct TypedCase {
  const char* name;
  const wchar_t* price;
  const wchar_t* quantity;
  const wchar_t* result;  // under 正规, 商超, S1-S3, 新客户
};

void PrintTo(const TypedCase& c, std::ostream* out) {
  *out << c.name;
}

class TypedInput : public ProgramTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedInput, ReachesTheCalculation) {
  ASSERT_NE(GetACP(), 936u) << "meant to run under a code page other than 936";
  ASSERT_TRUE(SelectAll({Control::单选框5, Control::单选框7, Control::单选框1, Control::单选框3}));
  ASSERT_TRUE(TypeInto(Control::编辑框1, GetParam().price));
  ASSERT_TRUE(TypeInto(Control::编辑框2, GetParam().quantity));
  EXPECT_TRUE(CalculateGives(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedInput,
    ::testing::Values(TypedCase{"PlainDigits", L"12", L"1", L"3.5916"},
                      TypedCase{"TrailingYuan", L"12元", L"1", L"3.5916"},
                      TypedCase{"FullWidthDigits", L"１２", L"1", L"3.5916"},
                      TypedCase{"FullWidthPointAndQuantity", L"１２．５", L"１０", L"37.416"},
                      TypedCase{"FullWidthMinusAndIdeographicSpace", L"\u3000－５", L"1",
                                L"-1.5084"},
                      TypedCase{"FullWidthExponent", L"３Ｅ２", L"1", L"89.9916"},
                      // Characters that code page 936 cannot hold. Code page 1252 would turn
                      // the subscript digits into 1 and 2.
                      TypedCase{"SubscriptDigits", L"\u2081\u2082", L"1", L"-0.0084"},
                      TypedCase{"EmojiAfterTheNumber", L"12\U0001F600", L"1", L"3.5916"},
                      TypedCase{"HangulBeforeTheNumber", L"\uD55C12", L"1", L"-0.0084"}),
    CaseName());

// 30,000 characters set into an edit box from outside, as a paste would put them there.
struct LongCase {
  const char* name;
  std::wstring price;
  const wchar_t* result;
};

void PrintTo(const LongCase& c, std::ostream* out) {
  *out << c.name;
}

class LongInput : public ProgramTest, public ::testing::WithParamInterface<LongCase> {};

TEST_P(LongInput, StillGivesANumber) {
  ASSERT_EQ(GetParam().price.size(), 30000u);
  ASSERT_TRUE(SelectAll({Control::单选框5, Control::单选框7, Control::单选框1, Control::单选框3}));
  ASSERT_TRUE(TypeInto(Control::编辑框2, L"1"));
  HWND price = Window(Control::编辑框1);
  SendMessageTimeoutW(price, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(GetParam().price.c_str()),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  ASSERT_EQ(e2e::TextOf(price).size(), 30000u) << "the edit box did not take the whole text";
  EXPECT_TRUE(CalculateGives(GetParam().result));
  EXPECT_TRUE(program().IsRunning());
  EXPECT_TRUE(program().MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LongInput,
    ::testing::Values(LongCase{"LeadingZeros", std::wstring(29998, L'0') + L"12", L"3.5916"},
                      LongCase{"TrailingChinese", L"12" + std::wstring(29998, L'元'), L"3.5916"},
                      LongCase{"TooLargeForADouble", L"1" + std::wstring(29999, L'0'), L"1.#INF"},
                      LongCase{"OutsideCodePage936", L"12" + std::wstring(29998, L'\uD55C'),
                               L"3.5916"}),
    CaseName());

TEST_F(Calculation, PressOnTheButtonReleasedElsewhereDoesNotCalculate) {
  ASSERT_TRUE(SelectAll({Control::单选框5, Control::单选框7, Control::单选框1, Control::单选框3}));
  ASSERT_TRUE(TypeInto(Control::编辑框1, L"10"));
  ASSERT_TRUE(TypeInto(Control::编辑框2, L"100"));
  const RECT button = ScreenRect(Window(Control::按钮1));
  ASSERT_TRUE(MoveMouse(Centre(button)));
  LeftDown();
  ASSERT_TRUE(program().WaitForFocus(Control::按钮1));
  // Off the button onto the bare window background below it, then let go.
  ASSERT_TRUE(MoveMouse({Centre(button).x, button.bottom + 4}));
  LeftUp();
  // The Tab is handled after the release; by then a click would have calculated.
  ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, kNoModifier, Control::单选框5));
  EXPECT_EQ(TextOf(Control::编辑框4), L"");
  EXPECT_TRUE(program().MessageBoxes().empty());
  // The same press released on the button does calculate.
  ASSERT_TRUE(CalculateGives(L"299.16"));
}

}  // namespace
}  // namespace quorvane::e2e
