#pragma once

// Drives the real quorvane.exe from outside, the way a UI-automation tool does: starts the
// process, finds its windows, sends synthetic hardware input (SendInput) and reads the state
// back through ordinary window messages and GetGUIThreadInfo.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "calc/form_access.h"

namespace quorvane::e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// How long a test waits for a state that is expected to come.
inline constexpr Millis kPatience = 10s;
// How long a started program may take to show its window.
inline constexpr Millis kStartPatience = 30s;
// How long a state that must not change is watched.
inline constexpr Millis kSettle = 400ms;

// Polls `done` until it gives true or `timeout` has passed; returns its last answer.
template <class Predicate>
bool WaitFor(Predicate done, Millis timeout = kPatience) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(5ms);
  }
}

// True when `holds` gives true at every check during `duration`.
template <class Predicate>
bool StaysTrue(Predicate holds, Millis duration = kSettle) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  do {
    if (!holds()) {
      return false;
    }
    std::this_thread::sleep_for(10ms);
  } while (std::chrono::steady_clock::now() < deadline);
  return holds();
}

// A kernel handle closed when it goes out of scope.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept;
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  HANDLE Get() const { return handle_; }
  HANDLE Release();
  void Reset(HANDLE handle = nullptr);
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Reading windows from outside.

// The window's text through WM_GETTEXT (also for another process's edit boxes).
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
RECT ScreenRect(HWND window);
POINT Centre(const RECT& rect);
// BM_GETCHECK == BST_CHECKED.
bool IsChecked(HWND button);
// Every descendant of `parent`, in EnumChildWindows order.
std::vector<HWND> Descendants(HWND parent);
// The descendant of `parent` with this control identifier, or null.
HWND FindControl(HWND parent, Control control);
HWND FindControl(HWND parent, int id);

// Neither the window nor any of its visible descendants has anything left to paint.
bool IsPainted(HWND window);

// A message box of the program: the dialog window and what it shows.
struct MessageBoxView {
  HWND box = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<HWND> visibleButtons;
  HWND owner = nullptr;
};
MessageBoxView ReadMessageBox(HWND box);

// ---------------------------------------------------------------------------------------------
// Synthetic hardware input.

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Moves the pointer to a screen pixel (absolute move) and waits until the cursor is there.
bool MoveMouse(POINT screen);
// Press and release of the left button where MoveMouse last put the pointer.
void LeftDown();
void LeftUp();
// Move, then press and release with exactly the given modifiers held.
bool Click(POINT screen, unsigned modifiers = 0);
bool DoubleClick(POINT screen);
// One press and release of `vk` with exactly the given modifiers held.
void Key(WORD vk, unsigned modifiers = kNoModifier);
// Types each UTF-16 unit as a KEYEVENTF_UNICODE key press.
void Type(std::wstring_view text);
// Lets go of every modifier and mouse button that the driver may have left pressed.
void ReleaseAll();

// ---------------------------------------------------------------------------------------------
// A screenshot of a screen rectangle, read back as COLORREF values.

class Screenshot {
 public:
  static std::optional<Screenshot> Capture(const RECT& screen);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Pixel at (x, y) relative to the captured rectangle, as 0x00BBGGRR.
  COLORREF At(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// Sum of the red, green and blue components: a rough brightness.
int Brightness(COLORREF colour);

// ---------------------------------------------------------------------------------------------
// The program under test.

class Program {
 public:
  // Starts `exe` (a Windows path or a Unix path, which Wine reaches on drive Z:). Check
  // Started() afterwards.
  explicit Program(std::wstring exe);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Ends the process if it is still running.
  ~Program();

  bool Started() const { return static_cast<bool>(process_); }
  DWORD ProcessId() const { return processId_; }
  // Waits until the main window is visible and painted; null on timeout.
  HWND WaitForMainWindow(Millis timeout = kStartPatience);
  HWND MainWindow() const { return main_; }
  HWND Child(quorvane::Control control) const;

  // The visible top-level windows of the process that are message boxes (#32770).
  std::vector<HWND> MessageBoxes() const;
  // Waits for exactly one message box and returns it, null otherwise.
  HWND WaitForMessageBox(Millis timeout = kPatience) const;

  // The focus and active window of the program's UI thread.
  HWND Focus() const;
  HWND Active() const;
  // Control identifier of the focused window, 0 when nothing of the program has the focus.
  int FocusedId() const;
  bool WaitForFocus(quorvane::Control control, Millis timeout = kPatience) const;

  bool IsRunning() const;
  // Waits for the process to end and gives its exit code.
  std::optional<DWORD> WaitForExit(Millis timeout = kPatience);
  void Terminate();

 private:
  UniqueHandle process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;  // of the main window, once found
  HWND main_ = nullptr;
};

// The program's path, given to the test build by CMake.
std::wstring ProgramPath();

}  // namespace quorvane::e2e
