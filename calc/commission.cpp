#include "calc/commission.h"

#include <optional>

#include "calc/extended.h"
#include "calc/numeric_text.h"

namespace quorvane {
namespace {

// Texts of the validation messages, in code page 936.
constexpr std::string_view kErrorTitle = "Error";
constexpr std::string_view kPlatformTypeMissing =  // 平台类型选择错误
    "\xC6\xBD\xCC\xA8\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1\xB4\xED\xCE\xF3";
constexpr std::string_view kMessageTypeMissing =  // 短信类型选择错误
    "\xB6\xCC\xD0\xC5\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1\xB4\xED\xCE\xF3";
constexpr std::string_view kSalesLevelMissing =  // 销售类型选择错误
    "\xCF\xFA\xCA\xDB\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1\xB4\xED\xCE\xF3";
constexpr std::string_view kCustomerTypeMissing =  // 客户类型选择错误
    "\xBF\xCD\xBB\xA7\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1\xB4\xED\xCE\xF3";
constexpr unsigned kOkButton = 0;

constexpr double kTeamCommissionFactor = 0.3;

enum class SalesLevel { kS1ToS3, kS4ToS7 };

struct Rule {
  double baseCost;
  SalesLevel salesLevel;
  double commissionRate;
};

// The first of two options of a group that is selected; the second is asked only when the
// first is not.
std::optional<bool> FirstOptionSelected(FormAccess& form, Control first, Control second) {
  if (form.IsChecked(first)) {
    return true;
  }
  if (form.IsChecked(second)) {
    return false;
  }
  return std::nullopt;
}

std::optional<SalesLevel> AskSalesLevel(FormAccess& form) {
  const auto s1ToS3 = FirstOptionSelected(form, Control::单选框1, Control::单选框2);
  if (!s1ToS3) {
    return std::nullopt;
  }
  return *s1ToS3 ? SalesLevel::kS1ToS3 : SalesLevel::kS4ToS7;
}

// Asks the selections in the order platform type, message type (正规 only), sales level,
// customer type; the first missing one is reported and ends the command. No edit box is read
// before every selection the rule needs is known.
std::optional<Rule> ChooseRule(FormAccess& form) {
  Rule rule{};
  const auto regularPlatform = FirstOptionSelected(form, Control::单选框5, Control::单选框6);
  if (!regularPlatform) {
    form.ShowMessage(kPlatformTypeMissing, kOkButton, kErrorTitle);
    return std::nullopt;
  }
  if (*regularPlatform) {
    // 正规: the base cost follows the message type.
    const auto supermarket = FirstOptionSelected(form, Control::单选框7, Control::单选框8);
    if (!supermarket) {
      form.ShowMessage(kMessageTypeMissing, kOkButton, kErrorTitle);
      return std::nullopt;
    }
    rule.baseCost = *supermarket ? 0.028 : 0.025;
  }
  const auto salesLevel = AskSalesLevel(form);
  if (!salesLevel) {
    form.ShowMessage(kSalesLevelMissing, kOkButton, kErrorTitle);
    return std::nullopt;
  }
  rule.salesLevel = *salesLevel;
  if (!*regularPlatform) {
    // 四大: the base cost follows the sales level; the message type is never asked.
    rule.baseCost = *salesLevel == SalesLevel::kS1ToS3 ? 0.045 : 0.04;
  }
  const auto newCustomer = FirstOptionSelected(form, Control::单选框3, Control::单选框4);
  if (!newCustomer) {
    form.ShowMessage(kCustomerTypeMissing, kOkButton, kErrorTitle);
    return std::nullopt;
  }
  rule.commissionRate = *newCustomer ? 0.3 : 0.2;
  return rule;
}

double ReadNumber(FormAccess& form, Control editBox) {
  return TextToNumber(form.GetText(editBox));
}

// Every operation is done in the extended format and rounded to double exactly where the
// finance department's rule rounds; only D × Q stays extended.
double Commission(FormAccess& form, const Rule& rule) {
  const double unitPrice = ReadNumber(form, Control::编辑框1);
  const double netUnitPrice =
      (Extended::FromDouble(unitPrice) - Extended::FromDouble(rule.baseCost)).ToDouble();
  const double quantity = ReadNumber(form, Control::编辑框2);
  const Extended netAmount = Extended::FromDouble(netUnitPrice) * Extended::FromDouble(quantity);
  const double salesPart = (netAmount * Extended::FromDouble(rule.commissionRate)).ToDouble();
  if (rule.salesLevel == SalesLevel::kS1ToS3) {
    return salesPart;
  }
  const double teamCommission = ReadNumber(form, Control::编辑框3);
  const double teamPart =
      (Extended::FromDouble(teamCommission) * Extended::FromDouble(kTeamCommissionFactor))
          .ToDouble();
  return (Extended::FromDouble(salesPart) + Extended::FromDouble(teamPart)).ToDouble();
}

}  // namespace

void OnCalculateClicked(FormAccess& form) {
  const auto rule = ChooseRule(form);
  if (!rule) {
    return;
  }
  const double individualCommission = Commission(form, *rule);
  form.SetText(Control::编辑框4, NumberToText(individualCommission).view());
}

}  // namespace quorvane
