// The validation messages of "计算": how the box looks, what it blocks and where it leaves the
// focus.

#include <string>
#include <vector>

#include "tests/e2e/fixture.h"

namespace quorvane::e2e {
namespace {

enum class CloseBoxBy { kEnter, kClickOk, kEsc, kAltF4 };

struct ValidationCase {
  const char* name;
  std::vector<Control> select;
  const wchar_t* text;
  CloseBoxBy closeBy;
};

void PrintTo(const ValidationCase& c, std::ostream* out) {
  *out << c.name;
}

class Validation : public ProgramTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(Validation, ShowsOneTaskModalBoxAndLeavesTheOutputAlone) {
  ASSERT_TRUE(TypeInto(Control::编辑框1, L"10"));
  ASSERT_TRUE(TypeInto(Control::编辑框2, L"100"));
  ASSERT_TRUE(TypeInto(Control::编辑框3, L"50"));
  ASSERT_TRUE(TypeInto(Control::编辑框4, L"keep"));
  for (Control radio : GetParam().select) {
    ASSERT_TRUE(Select(radio));
  }
  const POINT calculate = Centre(ScreenRect(Window(Control::按钮1)));
  ASSERT_TRUE(Click(calculate));
  HWND box = nullptr;
  ASSERT_TRUE(MessageBoxShows(kErrorTitle, GetParam().text, &box));

  // A second click on "计算" does not reach the disabled window.
  ASSERT_TRUE(Click(calculate));
  EXPECT_TRUE(StaysTrue([&] {
    return program().MessageBoxes().size() == 1 && !IsWindowEnabled(main());
  })) << program().MessageBoxes().size()
      << " boxes open after a second click";
  EXPECT_EQ(TextOf(Control::编辑框4), L"keep");

  switch (GetParam().closeBy) {
    case CloseBoxBy::kEnter:
      Key(VK_RETURN);
      break;
    case CloseBoxBy::kClickOk: {
      const MessageBoxView view = ReadMessageBox(box);
      ASSERT_EQ(view.visibleButtons.size(), 1u);
      ASSERT_TRUE(Click(Centre(ScreenRect(view.visibleButtons.front()))));
      break;
    }
    case CloseBoxBy::kEsc:
      Key(VK_ESCAPE);
      break;
    case CloseBoxBy::kAltF4:
      Key(VK_F4, kAlt);
      break;
  }
  ASSERT_TRUE(BackToMainWindow(Control::按钮1));
  EXPECT_TRUE(program().IsRunning()) << "closing the box closed the program";
  EXPECT_TRUE(NoMessageBoxAppears());
  EXPECT_EQ(TextOf(Control::编辑框4), L"keep");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Validation,
    ::testing::Values(ValidationCase{"NoPlatformType", {}, L"平台类型选择错误", CloseBoxBy::kEnter},
                      ValidationCase{"NoPlatformTypeWithEverythingElse",
                                     {Control::单选框7, Control::单选框1, Control::单选框3},
                                     L"平台类型选择错误",
                                     CloseBoxBy::kClickOk},
                      ValidationCase{"NoMessageType",
                                     {Control::单选框5},
                                     L"短信类型选择错误",
                                     CloseBoxBy::kClickOk},
                      ValidationCase{"NoSalesLevel",
                                     {Control::单选框5, Control::单选框7},
                                     L"销售类型选择错误",
                                     CloseBoxBy::kEsc},
                      ValidationCase{"NoSalesLevelUnderSiDa",
                                     {Control::单选框6, Control::单选框3},
                                     L"销售类型选择错误",
                                     CloseBoxBy::kEnter},
                      ValidationCase{"NoCustomerTypeUnderS1S3",
                                     {Control::单选框5, Control::单选框8, Control::单选框1},
                                     L"客户类型选择错误",
                                     CloseBoxBy::kClickOk},
                      ValidationCase{"NoCustomerTypeUnderS4S7",
                                     {Control::单选框5, Control::单选框7, Control::单选框2},
                                     L"客户类型选择错误",
                                     CloseBoxBy::kEnter},
                      ValidationCase{"NoCustomerTypeUnderSiDaS4S7",
                                     {Control::单选框6, Control::单选框2},
                                     L"客户类型选择错误",
                                     CloseBoxBy::kAltF4}),
    CaseName());

}  // namespace
}  // namespace quorvane::e2e
