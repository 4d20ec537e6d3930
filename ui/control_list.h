#pragma once

// The main window's layout as data: its caption and size, and the 23 controls with their kinds,
// identifiers, containers, geometry and texts. Portable: the window is built from this table on
// Windows, and the focus order and keyboard decisions are worked out from it everywhere.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "calc/form_access.h"

namespace quorvane::ui {

enum class ControlKind {
  kEditBox,
  kLabel,
  kGroupBox,
  kPushButton,
  kRadioButton,
  kPictureBox,
  kTransparentLabel,
};

// Position and size in pixels, relative to the client area of the control's container.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }
};

struct ControlSpec {
  Control id;
  std::string_view name;  // UTF-8, as the form names it
  ControlKind kind;
  std::optional<Control> container;  // none: a direct child of the window
  Bounds bounds;
  const wchar_t* text;  // never null; empty for the edit boxes and the picture box
  bool tabStop;
  int tabOrder;
};

// Kinds whose controls can ever hold the keyboard focus.
constexpr bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::kEditBox || kind == ControlKind::kPushButton ||
         kind == ControlKind::kRadioButton;
}

inline constexpr const wchar_t* kMainFormCaption = L"QuorvaneV2.0";
// The window's outer size, frame and caption included.
inline constexpr int kMainFormOuterWidth = 352;
inline constexpr int kMainFormOuterHeight = 351;

namespace detail {
constexpr ControlSpec Make(Control id, std::string_view name, ControlKind kind,
                           std::optional<Control> container, Bounds bounds, const wchar_t* text) {
  return {id, name, kind, container, bounds, text, TakesFocus(kind), 0};
}
}  // namespace detail

// In the form's order: the drawing order among siblings (earlier lies on top) and the tie-break
// of the focus order (later comes first).
inline constexpr std::array<ControlSpec, 23> kControlList = [] {
  using enum ControlKind;
  using detail::Make;
  constexpr std::nullopt_t window = std::nullopt;
  return std::array<ControlSpec, 23>{
      Make(Control::单选框8, "单选框8", kRadioButton, Control::分组框4, {14, 40, 64, 16}, L"行业"),
      Make(Control::单选框7, "单选框7", kRadioButton, Control::分组框4, {14, 16, 64, 16}, L"商超"),
      Make(Control::单选框6, "单选框6", kRadioButton, Control::分组框3, {14, 40, 64, 16}, L"四大"),
      Make(Control::单选框5, "单选框5", kRadioButton, Control::分组框3, {14, 16, 64, 16}, L"正规"),
      Make(Control::分组框4, "分组框4", kGroupBox, window, {247, 16, 85, 64}, L"短信类型"),
      Make(Control::分组框3, "分组框3", kGroupBox, window, {16, 16, 85, 64}, L"平台类型"),
      Make(Control::按钮1, "按钮1", kPushButton, window, {133, 214, 80, 30}, L"计算"),
      Make(Control::图片框1, "图片框1", kPictureBox, window, {113, 24, 120, 128}, L""),
      Make(Control::单选框4, "单选框4", kRadioButton, Control::分组框2, {14, 40, 64, 16},
           L"老客户"),
      Make(Control::单选框3, "单选框3", kRadioButton, Control::分组框2, {14, 16, 64, 16},
           L"新客户"),
      Make(Control::分组框2, "分组框2", kGroupBox, window, {247, 90, 85, 64}, L"客户类型"),
      Make(Control::单选框2, "单选框2", kRadioButton, Control::分组框1, {14, 40, 64, 16}, L"S4-S7"),
      Make(Control::单选框1, "单选框1", kRadioButton, Control::分组框1, {14, 16, 64, 16}, L"S1-S3"),
      Make(Control::分组框1, "分组框1", kGroupBox, window, {16, 90, 85, 64}, L"销售类型"),
      Make(Control::透明标签1, "透明标签1", kTransparentLabel, window, {85, 303, 175, 16},
           L"Drenvik科技有限公司——财务部"),
      Make(Control::标签6, "标签6", kLabel, window, {206, 253, 34, 33}, L"个提："),
      Make(Control::标签5, "标签5", kLabel, window, {206, 174, 34, 33}, L"数量："),
      Make(Control::编辑框3, "编辑框3", kEditBox, window, {49, 255, 88, 32}, L""),
      Make(Control::标签4, "标签4", kLabel, window, {14, 174, 34, 33}, L"单价："),
      Make(Control::标签3, "标签3", kLabel, window, {14, 253, 34, 33}, L"团提："),
      Make(Control::编辑框4, "编辑框4", kEditBox, window, {244, 255, 88, 32}, L""),
      Make(Control::编辑框2, "编辑框2", kEditBox, window, {244, 175, 88, 32}, L""),
      Make(Control::编辑框1, "编辑框1", kEditBox, window, {49, 175, 88, 32}, L""),
  };
}();

inline constexpr std::size_t kControlCount = kControlList.size();

// The control's position in kControlList, or nullopt for an identifier the form does not have.
std::optional<std::size_t> ListPosition(Control id);
const ControlSpec* FindControl(Control id);
const ControlSpec* FindControlByName(std::string_view name);

// The control's bounds in the window's client coordinates: its container's origin plus its own.
Bounds BoundsInWindow(const ControlSpec& control);

}  // namespace quorvane::ui
