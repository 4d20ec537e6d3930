#pragma once

// The window's focus order and the moves of Tab, Shift+Tab and the arrow keys over it, worked out
// from the control list alone so that they can be checked without a window.

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "ui/control_list.h"

namespace quorvane::ui {

enum class Direction { kForward, kBackward };

// Whether a control can take the focus at this moment (visible and enabled).
using IsControlAvailable = std::function<bool(Control)>;

// The controls that can take the focus now, by tab order value, smallest first; equal values
// are ordered by list position in reverse, the one listed later coming first.
std::vector<Control> FocusOrder(std::span<const ControlSpec> controls,
                                const IsControlAvailable& isAvailable);

// The control after (or before) `current` in `order`, wrapping round at either end. With no
// control focused there is no move; a focused control that is not in the order (it cannot take
// the focus right now) moves to the first (or last) one.
std::optional<Control> NextInFocusOrder(std::span<const Control> order,
                                        std::optional<Control> current, Direction direction);

// For an arrow key on a radio button: the next (or previous) radio button of the same container
// in focus order, wrapping. Nothing when `current` is not a radio button in the order.
std::optional<Control> NextRadioInContainer(std::span<const ControlSpec> controls,
                                            std::span<const Control> order, Control current,
                                            Direction direction);

}  // namespace quorvane::ui
