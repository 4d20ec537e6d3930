#include "calc/commission.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/cp936.h"

namespace quorvane {
namespace {

using testing::Cp936;

int SerialNumber(Control control) {
  switch (control) {
    case Control::单选框1:
      return 1;
    case Control::单选框2:
      return 2;
    case Control::单选框3:
      return 3;
    case Control::单选框4:
      return 4;
    case Control::单选框5:
      return 5;
    case Control::单选框6:
      return 6;
    case Control::单选框7:
      return 7;
    case Control::单选框8:
      return 8;
    case Control::编辑框1:
      return 1;
    case Control::编辑框2:
      return 2;
    case Control::编辑框3:
      return 3;
    case Control::编辑框4:
      return 4;
    default:
      return 0;
  }
}

Control RadioButton(int serial) {
  constexpr Control radios[] = {Control::单选框1, Control::单选框2, Control::单选框3,
                                Control::单选框4, Control::单选框5, Control::单选框6,
                                Control::单选框7, Control::单选框8};
  return radios[serial - 1];
}

// A form that answers from a table of selections and texts, and writes down every operation in
// order as a short token: "?5" asks 单选框5, "r1" reads 编辑框1, "w4" writes 编辑框4, "!" shows
// a message box.
class TableForm final : public FormAccess {
 public:
  // `selected` lists the serial numbers of the selected radio buttons, as in "5713".
  TableForm(std::string_view selected, std::map<Control, std::string> texts)
      : texts_(std::move(texts)) {
    for (const char serial : selected) {
      selected_.insert(RadioButton(serial - '0'));
    }
  }

  bool IsChecked(Control radioButton) override {
    Log("?" + std::to_string(SerialNumber(radioButton)));
    return selected_.count(radioButton) != 0;
  }
  std::string GetText(Control editBox) override {
    Log("r" + std::to_string(SerialNumber(editBox)));
    return texts_[editBox];
  }
  void SetText(Control editBox, std::string_view text) override {
    Log("w" + std::to_string(SerialNumber(editBox)));
    texts_[editBox] = std::string(text);
  }
  int ShowMessage(std::string_view text, unsigned buttonCode, std::string_view title) override {
    Log("!");
    messages.push_back({std::string(text), buttonCode, std::string(title)});
    return 0;
  }

  std::string Text(Control editBox) { return texts_[editBox]; }

  struct Message {
    std::string text;
    unsigned buttonCode;
    std::string title;
  };
  std::string log;
  std::vector<Message> messages;

 private:
  void Log(const std::string& token) { log += (log.empty() ? "" : " ") + token; }

  std::set<Control> selected_;
  std::map<Control, std::string> texts_;
};

std::map<Control, std::string> Inputs(std::string price, std::string quantity,
                                      std::string team = "") {
  return {{Control::编辑框1, std::move(price)},
          {Control::编辑框2, std::move(quantity)},
          {Control::编辑框3, std::move(team)},
          {Control::编辑框4, "previous"}};
}

// Radio buttons by serial number: 5 正规, 6 四大 / 7 商超, 8 行业 / 1 S1-S3, 2 S4-S7 /
// 3 新客户, 4 老客户.
struct RuleCase {
  const char* selected;
  const char* expectedLog;
  const char* expectedResult;
};
void PrintTo(const RuleCase& rule, std::ostream* os) {
  *os << "selected " << rule.selected;
}

class CommissionRules : public ::testing::TestWithParam<RuleCase> {};

// Unit price 10, quantity 100 and team commission 50 under each of the twelve rules.
TEST_P(CommissionRules, AskInOrderReadWhatTheRuleNeedsAndWriteTheResult) {
  const RuleCase& rule = GetParam();
  TableForm form(rule.selected, Inputs("10", "100", "50"));
  OnCalculateClicked(form);
  EXPECT_EQ(form.log, rule.expectedLog);
  EXPECT_EQ(form.Text(Control::编辑框4), rule.expectedResult);
  EXPECT_TRUE(form.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    TwelveRules, CommissionRules,
    ::testing::Values(RuleCase{"5713", "?5 ?7 ?1 ?3 r1 r2 w4", "299.16"},
                      RuleCase{"5714", "?5 ?7 ?1 ?3 ?4 r1 r2 w4", "199.44"},
                      RuleCase{"5723", "?5 ?7 ?1 ?2 ?3 r1 r2 r3 w4", "314.16"},
                      RuleCase{"5724", "?5 ?7 ?1 ?2 ?3 ?4 r1 r2 r3 w4", "214.44"},
                      RuleCase{"5813", "?5 ?7 ?8 ?1 ?3 r1 r2 w4", "299.25"},
                      RuleCase{"5814", "?5 ?7 ?8 ?1 ?3 ?4 r1 r2 w4", "199.5"},
                      RuleCase{"5823", "?5 ?7 ?8 ?1 ?2 ?3 r1 r2 r3 w4", "314.25"},
                      RuleCase{"5824", "?5 ?7 ?8 ?1 ?2 ?3 ?4 r1 r2 r3 w4", "214.5"},
                      RuleCase{"613", "?5 ?6 ?1 ?3 r1 r2 w4", "298.65"},
                      RuleCase{"614", "?5 ?6 ?1 ?3 ?4 r1 r2 w4", "199.1"},
                      RuleCase{"623", "?5 ?6 ?1 ?2 ?3 r1 r2 r3 w4", "313.8"},
                      RuleCase{"624", "?5 ?6 ?1 ?2 ?3 ?4 r1 r2 r3 w4", "214.2"},
                      // 四大 never asks the message type, whatever is selected there.
                      RuleCase{"6813", "?5 ?6 ?1 ?3 r1 r2 w4", "298.65"},
                      // Were both options of every group selected, the first of each would count.
                      RuleCase{"12345678", "?5 ?7 ?1 ?3 r1 r2 w4", "299.16"}));

struct MissingSelectionCase {
  const char* selected;
  const char* expectedLog;
  const char* expectedMessageUtf8;
};
void PrintTo(const MissingSelectionCase& missing, std::ostream* os) {
  *os << "selected " << missing.selected;
}

class MissingSelection : public ::testing::TestWithParam<MissingSelectionCase> {};

TEST_P(MissingSelection, ShowsTheFirstMissingGroupAndReadsAndWritesNothing) {
  const MissingSelectionCase& missing = GetParam();
  TableForm form(missing.selected, Inputs("10", "100", "50"));
  OnCalculateClicked(form);
  EXPECT_EQ(form.log, missing.expectedLog);
  ASSERT_EQ(form.messages.size(), 1u);
  EXPECT_EQ(form.messages[0].text, Cp936(missing.expectedMessageUtf8));
  EXPECT_EQ(form.messages[0].buttonCode, 0u);
  EXPECT_EQ(form.messages[0].title, "Error");
  EXPECT_EQ(form.Text(Control::编辑框4), "previous");
}

INSTANTIATE_TEST_SUITE_P(
    FirstMissingGroupWins, MissingSelection,
    ::testing::Values(MissingSelectionCase{"", "?5 ?6 !", "平台类型选择错误"},
                      MissingSelectionCase{"713", "?5 ?6 !", "平台类型选择错误"},
                      MissingSelectionCase{"5", "?5 ?7 ?8 !", "短信类型选择错误"},
                      MissingSelectionCase{"513", "?5 ?7 ?8 !", "短信类型选择错误"},
                      MissingSelectionCase{"57", "?5 ?7 ?1 ?2 !", "销售类型选择错误"},
                      MissingSelectionCase{"583", "?5 ?7 ?8 ?1 ?2 !", "销售类型选择错误"},
                      MissingSelectionCase{"6", "?5 ?6 ?1 ?2 !", "销售类型选择错误"},
                      MissingSelectionCase{"571", "?5 ?7 ?1 ?3 ?4 !", "客户类型选择错误"},
                      MissingSelectionCase{"572", "?5 ?7 ?1 ?2 ?3 ?4 !", "客户类型选择错误"},
                      MissingSelectionCase{"61", "?5 ?6 ?1 ?3 ?4 !", "客户类型选择错误"},
                      MissingSelectionCase{"62", "?5 ?6 ?1 ?2 ?3 ?4 !", "客户类型选择错误"}));

struct InputCase {
  const char* selected;
  const char* price;
  const char* quantity;
  const char* team;
  const char* expectedResult;
};
void PrintTo(const InputCase& input, std::ostream* os) {
  *os << "selected " << input.selected << " gives " << input.expectedResult;
}

class TypedInputs : public ::testing::TestWithParam<InputCase> {};

TEST_P(TypedInputs, GiveTheResultTextOfTheExtendedArithmetic) {
  const InputCase& input = GetParam();
  TableForm form(input.selected, Inputs(input.price, input.quantity, input.team));
  OnCalculateClicked(form);
  EXPECT_EQ(form.Text(Control::编辑框4), input.expectedResult);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeValues, TypedInputs,
    ::testing::Values(
        // The double result lies a little above 0.0648; 13 digits hide that.
        InputCase{"5713", "0.1", "3", "", "0.0648"}, InputCase{"5713", "0", "1", "", "-0.0084"},
        InputCase{"5713", "1e20", "1", "", "3e+019"}, InputCase{"5713", "1e400", "1", "", "1.#INF"},
        // Infinity times zero is an invalid operation: the default NaN.
        InputCase{"5713", "1e400", "0", "", "-1.#IND"},
        InputCase{"5713", "-1e400", "1", "1e400", "-1.#INF"},
        InputCase{"5723", "1e400", "1", "-1e400", "-1.#IND"},
        // D × Q = 2e308 is beyond the double range but stays finite in the extended format.
        InputCase{"5713", "1e300", "2e8", "", "6e+307"},
        // Empty texts read as 0: a negative zero under S1-S3, a positive one under S4-S7.
        InputCase{"5713", "", "", "", "0"}, InputCase{"624", "", "", "", "0"},
        // Under S1-S3 the team commission has no effect, whatever it holds.
        InputCase{"5713", "10", "100", "1e400", "299.16"},
        InputCase{"5713", "12\xD4\xAA", "1", "", "3.5916"},        // 12元
        InputCase{"5713", "\xA3\xB1\xA3\xB2", "1", "", "3.5916"},  // １２
        InputCase{"5713", "1,000", "1", "", "0.2916"},
        InputCase{"623",
                  "\xA1\xA1"
                  "10",
                  "100", " 5d1 ", "313.8"}));  // ideographic space

// Every click starts afresh: nothing of an earlier click carries over to the next one.
TEST(CalculateClicked, EachClickAsksAndReadsAgain) {
  TableForm form("5713", Inputs("10", "100"));
  OnCalculateClicked(form);
  OnCalculateClicked(form);
  EXPECT_EQ(form.log, "?5 ?7 ?1 ?3 r1 r2 w4 ?5 ?7 ?1 ?3 r1 r2 w4");
  EXPECT_EQ(form.Text(Control::编辑框4), "299.16");
}

}  // namespace
}  // namespace quorvane
