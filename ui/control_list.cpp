#include "ui/control_list.h"

namespace quorvane::ui {

std::optional<std::size_t> ListPosition(Control id) {
  for (std::size_t i = 0; i < kControlList.size(); ++i) {
    if (kControlList[i].id == id) {
      return i;
    }
  }
  return std::nullopt;
}

const ControlSpec* FindControl(Control id) {
  const auto position = ListPosition(id);
  return position ? &kControlList[*position] : nullptr;
}

const ControlSpec* FindControlByName(std::string_view name) {
  for (const ControlSpec& control : kControlList) {
    if (control.name == name) {
      return &control;
    }
  }
  return nullptr;
}

Bounds BoundsInWindow(const ControlSpec& control) {
  Bounds bounds = control.bounds;
  if (control.container) {
    const Bounds origin = BoundsInWindow(*FindControl(*control.container));
    bounds.left += origin.left;
    bounds.top += origin.top;
  }
  return bounds;
}

}  // namespace quorvane::ui
