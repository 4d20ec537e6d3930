#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// Every control of the main window with its numeric identifier. The names are the ones the
// finance department uses for the form, so they are kept as they are.
enum class Control : std::int32_t {
  单选框8 = 369164362,
  单选框7 = 369164361,
  单选框6 = 369164360,
  单选框5 = 369164358,
  分组框4 = 369164357,
  分组框3 = 369164355,
  按钮1 = 369164345,
  图片框1 = 369164326,
  单选框4 = 369164325,
  单选框3 = 369164324,
  分组框2 = 369164323,
  单选框2 = 369164319,
  单选框1 = 369164317,
  分组框1 = 369164316,
  透明标签1 = 369164311,
  标签6 = 369164306,
  标签5 = 369164305,
  编辑框3 = 369164304,
  标签4 = 369164303,
  标签3 = 369164302,
  编辑框4 = 369164301,
  编辑框2 = 369164299,
  编辑框1 = 369164298,
};

inline constexpr std::int32_t kMainFormId = 1375797249;

// "信息：" in code page 936: the title of a message box whose caller names none.
inline constexpr std::string_view kDefaultMessageTitle = "\xD0\xC5\xCF\xA2\xA3\xBA";

// What a handler may do with the main window. Every text that crosses this interface is a code
// page 936 byte string without zero bytes; an empty string stands for "no text".
class FormAccess {
 public:
  FormAccess() = default;
  FormAccess(const FormAccess&) = delete;
  FormAccess& operator=(const FormAccess&) = delete;
  virtual ~FormAccess() = default;

  // True exactly when the radio button is selected at the moment of the call.
  virtual bool IsChecked(Control radioButton) = 0;
  // The edit box's whole current text, owned by the caller.
  virtual std::string GetText(Control editBox) = 0;
  // Replaces the edit box's whole text with a copy of `text`.
  virtual void SetText(Control editBox, std::string_view text) = 0;
  // A task-modal message box without an owner window; returns once the user has closed it.
  virtual int ShowMessage(std::string_view text, unsigned buttonCode, std::string_view title) = 0;

  int ShowMessage(std::string_view text, unsigned buttonCode) {
    return ShowMessage(text, buttonCode, kDefaultMessageTitle);
  }
};

}  // namespace quorvane
