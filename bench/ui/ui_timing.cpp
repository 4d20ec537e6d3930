// Times the real program under Wine, side by side with a baseline in the same run:
//  - cold start: from CreateProcess to the first complete paint of the main window, against the
//    smallest Win32 program that opens one empty window (the ratio is what counts, since the
//    machine is shared);
//  - click to result: from the release of the mouse button over "计算" to the new text in
//    编辑框4.
// Usage (under Wine, on a display): ui_timing.exe [start-up rounds] [clicks]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

using namespace quorvane::e2e;
using Clock = std::chrono::steady_clock;

std::wstring Widen(const char* utf8) {
  std::wstring wide(std::char_traits<char>::length(utf8) + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

// Like WaitFor, but checks without pausing, so the time of the change is not rounded up to
// the polling interval.
template <class Predicate>
bool SpinUntil(Predicate done, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() >= deadline) {
      return false;
    }
    std::this_thread::yield();
  }
  return true;
}

struct TopLevelSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && IsWindowVisible(window) && GetParent(window) == nullptr) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to the first complete paint of the program's window, or a
// negative value when it did not come.
double TimeStart(const std::wstring& exe) {
  const auto start = Clock::now();
  Program program(exe);
  if (!program.Started()) {
    return -1;
  }
  HWND window = nullptr;
  const bool painted = SpinUntil(
      [&] {
        if (window == nullptr) {
          TopLevelSearch search{program.ProcessId(), nullptr};
          EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
          window = search.found;
        }
        return window != nullptr && IsPainted(window);
      },
      20s);
  const auto end = Clock::now();
  if (window != nullptr) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (!painted || !program.WaitForExit()) {
    return -1;
  }
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void ReportStart(int rounds) {
  const std::wstring baseline = Widen(QUORVANE_BASELINE_EXE);
  const std::wstring program = Widen(QUORVANE_EXE);
  std::vector<double> baselineTimes;
  std::vector<double> programTimes;
  // One untimed start of each warms the file cache and Wine's server.
  TimeStart(baseline);
  TimeStart(program);
  for (int round = 0; round < rounds; ++round) {
    // Alternate the order so that neither always runs right after the other.
    const bool programFirst = round % 2 == 1;
    const double first = TimeStart(programFirst ? program : baseline);
    const double second = TimeStart(programFirst ? baseline : program);
    (programFirst ? programTimes : baselineTimes).push_back(first);
    (programFirst ? baselineTimes : programTimes).push_back(second);
  }
  if (std::min(*std::min_element(baselineTimes.begin(), baselineTimes.end()),
               *std::min_element(programTimes.begin(), programTimes.end())) < 0) {
    std::printf("start-up: a program did not show its window\n");
    return;
  }
  const double baselineMedian = Median(baselineTimes);
  const double programMedian = Median(programTimes);
  std::printf(
      "start to first paint, %d rounds: baseline median %.1f ms, quorvane median %.1f ms, "
      "ratio %.2f\n",
      rounds, baselineMedian, programMedian, programMedian / baselineMedian);
}

void ReportClicks(int clicks) {
  Program program(Widen(QUORVANE_EXE));
  if (!program.Started() || program.WaitForMainWindow() == nullptr) {
    std::printf("click to result: the program did not start\n");
    return;
  }
  for (const auto radio : {quorvane::Control::单选框5, quorvane::Control::单选框7,
                           quorvane::Control::单选框1, quorvane::Control::单选框3}) {
    Click(Centre(ScreenRect(program.Child(radio))));
  }
  SendMessageW(program.Child(quorvane::Control::编辑框1), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"10"));
  SendMessageW(program.Child(quorvane::Control::编辑框2), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"100"));
  HWND output = program.Child(quorvane::Control::编辑框4);
  MoveMouse(Centre(ScreenRect(program.Child(quorvane::Control::按钮1))));
  std::vector<double> times;
  for (int click = 0; click < clicks; ++click) {
    SendMessageW(output, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    LeftDown();
    // The button takes the press (and shows itself pushed) before the release is timed.
    WaitFor([&] {
      return (SendMessageW(program.Child(quorvane::Control::按钮1), BM_GETSTATE, 0, 0) &
              BST_PUSHED) != 0;
    });
    const auto release = Clock::now();
    LeftUp();
    // One message per check: every check is a round trip through the program's own thread,
    // which then has that much less time for the click.
    if (!SpinUntil([&] { return SendMessageW(output, WM_GETTEXTLENGTH, 0, 0) > 0; }, 5s)) {
      std::printf("click to result: no result after click %d\n", click);
      return;
    }
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - release).count());
    // Every click must have computed the same text, the right one for these inputs.
    const std::wstring text = TextOf(output);
    if (text != L"299.16") {
      std::printf("click to result: click %d gave \"%ls\"\n", click, text.c_str());
      return;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "click to result, %d clicks: median %.2f ms, fastest %.2f ms, 90th percentile %.2f ms\n",
      clicks, Median(times), times.front(), times[times.size() * 9 / 10]);
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  program.WaitForExit();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  const int clicks = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
  ReportStart(rounds);
  ReportClicks(clicks);
  return 0;
}
