#include "app/application.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <new>

#include "app/floating_point.h"
#include "app/handlers.h"
#include "calc/commission.h"
#include "ui/fatal_error.h"
#include "ui/main_form.h"
#include "ui/window_form_access.h"

namespace quorvane::app {
namespace {

// 1 Ctrl + 2 Shift + 4 Alt, as the keys stood when the message was posted.
std::int32_t PressKeyState() {
  std::int32_t keyState = 0;
  if (GetKeyState(VK_CONTROL) < 0) {
    keyState |= 1;
  }
  if (GetKeyState(VK_SHIFT) < 0) {
    keyState |= 2;
  }
  if (GetKeyState(VK_MENU) < 0) {
    keyState |= 4;
  }
  return keyState;
}

// The main window with its event bindings, and the event loop with its pre-dispatch step.
class Application final : public ui::MainFormEvents {
 public:
  Application() : form_(*this), access_(form_) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  ui::MainForm& form() { return form_; }

  int RunEventLoop() {
    MSG message{};
    for (;;) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) {
        return static_cast<int>(message.wParam);  // the quit request's code
      }
      if (got == -1) {
        ui::ShowFatalError(ui::FatalError::kUnexpected);
        return ui::kFatalErrorExitCode;
      }
      if (PreDispatch(message)) {
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

 private:
  // The click is reported while the button's release is being dispatched.
  void OnCalculateClicked() override { quorvane::OnCalculateClicked(access_); }
  void OnMainFormDestroyed() override { PostQuitMessage(0); }

  // True when the message has been consumed and must not be dispatched.
  bool PreDispatch(const MSG& message) {
    if (form_.HandleKeyboardStep(message)) {
      return true;
    }
    if ((message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONDBLCLK) &&
        message.hwnd != nullptr && message.hwnd == form_.ControlWindow(Control::图片框1)) {
      // Each coordinate is the unsigned 16-bit half of lParam, widened.
      const auto x = static_cast<std::int32_t>(LOWORD(message.lParam));
      const auto y = static_cast<std::int32_t>(HIWORD(message.lParam));
      OnPictureLeftButtonDown(access_, x, y, PressKeyState());
    }
    return false;
  }

  ui::MainForm form_;
  ui::WindowFormAccess access_;
};

int Run() {
  ResetFloatingPointUnit();

  INITCOMMONCONTROLSEX commonControls{};
  commonControls.dwSize = sizeof(commonControls);
  commonControls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&commonControls);

  Application application;
  if (!application.form().Build(GetModuleHandleW(nullptr))) {
    ui::ShowFatalError(ui::FatalError::kWindowCreation);
    return ui::kFatalErrorExitCode;
  }
  OnMainFormCreated();
  application.form().Show();
  return application.RunEventLoop();
}

}  // namespace

int RunApplication() noexcept {
  try {
    return Run();
  } catch (const std::bad_alloc&) {
    ui::ShowFatalError(ui::FatalError::kOutOfMemory);
  } catch (...) {
    ui::ShowFatalError(ui::FatalError::kUnexpected);
  }
  return ui::kFatalErrorExitCode;
}

}  // namespace quorvane::app
