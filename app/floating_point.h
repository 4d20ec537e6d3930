#pragma once

namespace quorvane::app {

// Puts the floating-point unit into the state every handler runs in: extended precision (64-bit
// significand), rounding to nearest, all exceptions masked.
void ResetFloatingPointUnit() noexcept;

}  // namespace quorvane::app
