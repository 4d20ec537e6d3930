#pragma once

namespace quorvane::app {

// The whole life of the process: resets the floating-point unit, builds and shows the main
// window, runs the event loop until the window is closed. Returns the process exit code: 0 after
// the window has been closed, -1 when the window could not be made.
int RunApplication() noexcept;

}  // namespace quorvane::app
