#include "ui/focus_order.h"

#include <algorithm>

namespace quorvane::ui {
namespace {

const ControlSpec* Find(std::span<const ControlSpec> controls, Control id) {
  const auto found = std::find_if(controls.begin(), controls.end(),
                                  [id](const ControlSpec& control) { return control.id == id; });
  return found == controls.end() ? nullptr : &*found;
}

std::optional<Control> Step(std::span<const Control> order, std::size_t from, Direction direction) {
  const std::size_t count = order.size();
  return order[direction == Direction::kForward ? (from + 1) % count : (from + count - 1) % count];
}

}  // namespace

std::vector<Control> FocusOrder(std::span<const ControlSpec> controls,
                                const IsControlAvailable& isAvailable) {
  std::vector<const ControlSpec*> candidates;
  // Walking the list backwards and sorting stably puts later controls first among equals.
  for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
    if (TakesFocus(control->kind) && control->tabStop && isAvailable(control->id)) {
      candidates.push_back(&*control);
    }
  }
  std::stable_sort(
      candidates.begin(), candidates.end(),
      [](const ControlSpec* a, const ControlSpec* b) { return a->tabOrder < b->tabOrder; });
  std::vector<Control> order;
  order.reserve(candidates.size());
  for (const ControlSpec* control : candidates) {
    order.push_back(control->id);
  }
  return order;
}

std::optional<Control> NextInFocusOrder(std::span<const Control> order,
                                        std::optional<Control> current, Direction direction) {
  if (!current || order.empty()) {
    return std::nullopt;
  }
  const auto found = std::find(order.begin(), order.end(), *current);
  if (found == order.end()) {
    return direction == Direction::kForward ? order.front() : order.back();
  }
  return Step(order, static_cast<std::size_t>(found - order.begin()), direction);
}

std::optional<Control> NextRadioInContainer(std::span<const ControlSpec> controls,
                                            std::span<const Control> order, Control current,
                                            Direction direction) {
  const ControlSpec* focused = Find(controls, current);
  if (focused == nullptr || focused->kind != ControlKind::kRadioButton) {
    return std::nullopt;
  }
  std::vector<Control> group;
  for (const Control id : order) {
    const ControlSpec* control = Find(controls, id);
    if (control != nullptr && control->kind == ControlKind::kRadioButton &&
        control->container == focused->container) {
      group.push_back(id);
    }
  }
  const auto found = std::find(group.begin(), group.end(), current);
  if (found == group.end()) {
    return std::nullopt;
  }
  return Step(group, static_cast<std::size_t>(found - group.begin()), direction);
}

}  // namespace quorvane::ui
