#pragma once

// The failures that normal use never meets (a window the platform refuses, memory that runs
// out, an exception that reaches a window procedure): they end the program with an error box.

namespace quorvane::ui {

enum class FatalError { kWindowCreation, kOutOfMemory, kUnexpected };

inline constexpr int kFatalErrorExitCode = -1;

// Shows the task-modal error box titled "错误" with the stop-sign icon.
void ShowFatalError(FatalError error) noexcept;

// Shows the error box, then ends the process with kFatalErrorExitCode. For the places that cannot
// return an error, such as a window procedure.
[[noreturn]] void ExitWithFatalError(FatalError error) noexcept;

}  // namespace quorvane::ui
