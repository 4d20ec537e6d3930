#include "ui/fatal_error.h"

#include <windows.h>

namespace quorvane::ui {
namespace {

const wchar_t* FatalErrorText(FatalError error) {
  switch (error) {
    case FatalError::kWindowCreation:
      return L"无法创建程序窗口。";
    case FatalError::kOutOfMemory:
      return L"内存不足。";
    case FatalError::kUnexpected:
      break;
  }
  return L"程序遇到内部错误。";
}

}  // namespace

void ShowFatalError(FatalError error) noexcept {
  MessageBoxW(nullptr, FatalErrorText(error), L"错误", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void ExitWithFatalError(FatalError error) noexcept {
  ShowFatalError(error);
  ExitProcess(static_cast<UINT>(kFatalErrorExitCode));
}

}  // namespace quorvane::ui
