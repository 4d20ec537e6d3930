#pragma once

// The main window, built from the control list: its 23 controls, the keyboard step that runs
// before a key reaches a control, and the focus that it hands on whenever it is activated.

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "ui/control_list.h"
#include "ui/label.h"
#include "ui/window.h"

namespace quorvane::ui {

// What the window reports to the program. Nothing is reported while the window is being built.
class MainFormEvents {
 public:
  virtual void OnCalculateClicked() = 0;
  // The window has been destroyed (closed); it handles no further input.
  virtual void OnMainFormDestroyed() = 0;

 protected:
  ~MainFormEvents() = default;
};

class MainForm final : public Window {
 public:
  explicit MainForm(MainFormEvents& events) : events_(events) {}

  // Creates the window and every control, placed and ordered, and shows the controls; the
  // window itself stays hidden. False when the platform refuses a window.
  bool Build(HINSTANCE instance);

  // Shows the window at its normal size and activates it; activation focuses 编辑框1.
  void Show();

  // The control's window; the main window for kMainFormId; null for any other identifier.
  HWND ControlWindow(Control id) const;
  HWND WindowById(int id) const;
  // The control whose window this is, or nullopt for any window that is not one of them.
  std::optional<Control> ControlOf(HWND window) const;
  // The main window or one of its controls.
  bool Contains(HWND window) const;

  // The keyboard step: Tab, Shift+Tab, the arrow keys on a radio button and Esc. Returns true
  // when the message was the window's to handle and must not be dispatched.
  bool HandleKeyboardStep(const MSG& message);

  // The controls that can take the focus now, in focus order.
  std::vector<Control> CurrentFocusOrder() const;

  // A modal box of the program is about to take the activation: keeps the focused control so
  // that it can be given the focus back.
  void RememberFocus();
  // A modal box has closed. Makes the window active again when the platform has left nothing
  // active (Wine does, after an owner-less task-modal box), so that the remembered control gets
  // the focus back.
  void RegainActivationAfterModal();

 private:
  static constexpr std::size_t kLabelCount = static_cast<std::size_t>(std::count_if(
      kControlList.begin(), kControlList.end(),
      [](const ControlSpec& control) { return control.kind == ControlKind::kLabel; }));

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnDestroy();

  bool CreateControls(HINSTANCE instance);
  HWND CreateControl(HINSTANCE instance, const ControlSpec& control, std::size_t& labelsUsed);
  void PlaceIntoContainers();
  void SetDrawingOrder();

  // Gives the focus to the remembered control, or to the first of the focus order.
  void FocusOnActivation(HWND previousFocus = nullptr);
  bool CanTakeFocusNow(HWND control) const;
  void SelectRadio(Control radio);

  MainFormEvents& events_;
  std::array<HWND, kControlCount> controls_{};  // in list order; destroyed with the window
  std::array<Label, kLabelCount> labels_;
  HWND rememberedFocus_ = nullptr;
  bool building_ = false;
};

}  // namespace quorvane::ui
