#include "ui/main_form.h"

#include <commctrl.h>

#include "ui/focus_order.h"
#include "ui/keyboard_step.h"
#include "ui/picture/picture_box.h"
#include "ui/placement.h"
#include "ui/win32_handles.h"

namespace quorvane::ui {
namespace {

static_assert(vk::kTab == VK_TAB && vk::kReturn == VK_RETURN && vk::kEscape == VK_ESCAPE);
static_assert(vk::kLeft == VK_LEFT && vk::kUp == VK_UP && vk::kRight == VK_RIGHT &&
              vk::kDown == VK_DOWN && vk::kF1 == VK_F1 && vk::kF4 == VK_F4);

constexpr const wchar_t* kMainFormClassName = L"QuorvaneMainForm";
// Fixed single frame with caption, system menu and minimise button: no sizing border, no
// maximise. Children are clipped; the caption label's transparent style lets the window's
// background show beneath it.
constexpr DWORD kMainFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HMENU AsChildId(Control id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HICON LoadProgramIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, size, size, LR_SHARED));
}

// A platform group frame leaves its inside unpainted, and the window clips its children, so
// the frame fills its inside with the 3-D face colour itself.
LRESULT CALLBACK GroupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR) noexcept {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, &GroupBoxProcedure, subclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

HWND CreateStandardControl(HINSTANCE instance, HWND parent, const ControlSpec& control,
                           DWORD exStyle, const wchar_t* className, DWORD style) {
  return CreateWindowExW(exStyle, className, control.text, WS_CHILD | style, control.bounds.left,
                         control.bounds.top, control.bounds.width, control.bounds.height, parent,
                         AsChildId(control.id), instance, nullptr);
}

RECT ToRect(const Bounds& bounds) {
  return {bounds.left, bounds.top, bounds.right(), bounds.bottom()};
}

Modifiers HeldModifiers() {
  return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace

bool MainForm::Build(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadProgramIcon(instance, 32);
  windowClass.hIconSm = LoadProgramIcon(instance, 16);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kMainFormClassName;
  if (!RegisterWindowClass(windowClass)) {
    return false;
  }

  const WindowOrigin origin =
      CentredWindowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  building_ = true;
  if (!CreateWindowOfClass(0, kMainFormClassName, kMainFormCaption, kMainFormStyle, origin.left,
                           origin.top, kMainFormOuterWidth, kMainFormOuterHeight, nullptr, nullptr,
                           instance)) {
    return false;
  }
  RECT outer{};
  GetWindowRect(handle(), &outer);
  if (outer.right - outer.left != kMainFormOuterWidth ||
      outer.bottom - outer.top != kMainFormOuterHeight) {
    SetWindowPos(handle(), nullptr, origin.left, origin.top, kMainFormOuterWidth,
                 kMainFormOuterHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (!CreateControls(instance)) {
    return false;
  }
  PlaceIntoContainers();
  SetDrawingOrder();
  for (HWND control : controls_) {
    ShowWindow(control, SW_SHOWNA);
  }
  building_ = false;
  return true;
}

bool MainForm::CreateControls(HINSTANCE instance) {
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  std::size_t labelsUsed = 0;
  // From the last of the list to the first, all as children of the window for now.
  for (std::size_t i = kControlCount; i-- > 0;) {
    HWND control = CreateControl(instance, kControlList[i], labelsUsed);
    if (control == nullptr) {
      return false;
    }
    controls_[i] = control;
    SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  return true;
}

HWND MainForm::CreateControl(HINSTANCE instance, const ControlSpec& control,
                             std::size_t& labelsUsed) {
  const int id = static_cast<int>(control.id);
  switch (control.kind) {
    case ControlKind::kEditBox: {
      HWND edit = CreateStandardControl(instance, handle(), control, WS_EX_CLIENTEDGE, L"EDIT",
                                        WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL);
      // 0 lifts the edit control's default limit of 32767 characters to the platform maximum.
      if (edit != nullptr) {
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
      }
      return edit;
    }
    case ControlKind::kLabel: {
      Label& label = labels_[labelsUsed++];
      return label.Create(instance, handle(), id, control.bounds, control.text) ? label.handle()
                                                                                : nullptr;
    }
    case ControlKind::kGroupBox: {
      HWND group = CreateStandardControl(instance, handle(), control, 0, L"BUTTON",
                                         BS_GROUPBOX | WS_CLIPCHILDREN);
      if (group != nullptr && !SetWindowSubclass(group, &GroupBoxProcedure, 0, 0)) {
        DestroyWindow(group);
        return nullptr;
      }
      return group;
    }
    case ControlKind::kPushButton:
      // A plain push button, not the default one: Enter does not press it.
      return CreateStandardControl(instance, handle(), control, 0, L"BUTTON",
                                   WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE);
    case ControlKind::kRadioButton:
      return CreateStandardControl(instance, handle(), control, 0, L"BUTTON",
                                   WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE);
    case ControlKind::kPictureBox:
      return CreatePictureBox(handle(), id, ToRect(control.bounds),
                              PictureDisplayMode::kFitCentred);
    case ControlKind::kTransparentLabel:
      return CreateTransparentLabel(handle(), id, ToRect(control.bounds), control.text);
  }
  return nullptr;
}

void MainForm::PlaceIntoContainers() {
  // SetParent keeps the child's coordinates, which from now on count from the container. An
  // automatic radio button clears the other radio buttons among its siblings, so within a group
  // box the two options exclude each other and nothing else.
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (const auto& container = kControlList[i].container) {
      SetParent(controls_[i], ControlWindow(*container));
    }
  }
}

void MainForm::SetDrawingOrder() {
  // Among the children of each parent, the first listed goes on top and each next one below
  // the one before it.
  for (std::size_t i = 0; i < kControlCount; ++i) {
    HWND above = HWND_TOP;
    for (std::size_t j = i; j-- > 0;) {
      if (kControlList[j].container == kControlList[i].container) {
        above = controls_[j];
        break;
      }
    }
    SetWindowPos(controls_[i], above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainForm::Show() {
  ShowWindow(handle(), SW_SHOWNORMAL);
  SetForegroundWindow(handle());
  UpdateWindow(handle());
}

HWND MainForm::ControlWindow(Control id) const {
  const auto position = ListPosition(id);
  return position ? controls_[*position] : nullptr;
}

HWND MainForm::WindowById(int id) const {
  if (id == kMainFormId) {
    return handle();
  }
  return ControlWindow(static_cast<Control>(id));
}

std::optional<Control> MainForm::ControlOf(HWND window) const {
  if (window == nullptr) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (controls_[i] == window) {
      return kControlList[i].id;
    }
  }
  return std::nullopt;
}

bool MainForm::Contains(HWND window) const {
  return window != nullptr && handle() != nullptr &&
         (window == handle() || IsChild(handle(), window));
}

std::vector<Control> MainForm::CurrentFocusOrder() const {
  return FocusOrder(kControlList,
                    [this](Control id) { return CanTakeFocusNow(ControlWindow(id)); });
}

bool MainForm::CanTakeFocusNow(HWND control) const {
  if (control == nullptr || !IsWindowVisible(control)) {
    return false;
  }
  // A control inside a disabled group box is as unreachable as a disabled one.
  for (HWND window = control; window != nullptr && window != handle(); window = GetParent(window)) {
    if (!IsWindowEnabled(window)) {
      return false;
    }
  }
  return true;
}

bool MainForm::HandleKeyboardStep(const MSG& message) {
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      !Contains(message.hwnd)) {
    return false;
  }
  const std::optional<Control> focused = ControlOf(GetFocus());
  const bool onRadio = focused && FindControl(*focused)->kind == ControlKind::kRadioButton;
  const KeyAction action =
      DecideKeyAction(static_cast<unsigned>(message.wParam), HeldModifiers(), onRadio);
  switch (action) {
    case KeyAction::kPassOn:
      return false;
    case KeyAction::kFocusNext:
    case KeyAction::kFocusPrevious: {
      const Direction direction =
          action == KeyAction::kFocusNext ? Direction::kForward : Direction::kBackward;
      if (const auto next = NextInFocusOrder(CurrentFocusOrder(), focused, direction)) {
        SetFocus(ControlWindow(*next));
      }
      return true;
    }
    case KeyAction::kSelectNextRadio:
    case KeyAction::kSelectPreviousRadio: {
      const Direction direction =
          action == KeyAction::kSelectNextRadio ? Direction::kForward : Direction::kBackward;
      if (const auto next =
              NextRadioInContainer(kControlList, CurrentFocusOrder(), *focused, direction)) {
        SelectRadio(*next);
      }
      return true;
    }
    case KeyAction::kCloseWindow:
      // Exactly what the close button does.
      SendMessageW(handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
  }
  return false;
}

void MainForm::SelectRadio(Control radio) {
  HWND selected = ControlWindow(radio);
  const std::optional<Control> container = FindControl(radio)->container;
  SendMessageW(selected, BM_SETCHECK, BST_CHECKED, 0);
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& control = kControlList[i];
    if (control.kind == ControlKind::kRadioButton && control.container == container &&
        control.id != radio) {
      SendMessageW(controls_[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  // The click notification a mouse click would give; the container binds nothing to it.
  SendMessageW(GetParent(selected), WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(static_cast<int>(radio)), BN_CLICKED),
               reinterpret_cast<LPARAM>(selected));
  SetFocus(selected);
}

void MainForm::RememberFocus() {
  HWND focus = GetFocus();
  if (focus != handle() && Contains(focus)) {
    rememberedFocus_ = focus;
  }
}

void MainForm::FocusOnActivation(HWND previousFocus) {
  HWND target = nullptr;
  // Without a remembered control, a control that still has the focus, or the one that has just
  // lost it to the window itself, keeps it: Wine minimises and restores a window without
  // deactivating it.
  for (HWND candidate : {rememberedFocus_, GetFocus(), previousFocus}) {
    if (candidate != nullptr && candidate != handle() && IsWindow(candidate) &&
        Contains(candidate) && CanTakeFocusNow(candidate)) {
      target = candidate;
      break;
    }
  }
  rememberedFocus_ = nullptr;
  if (target == nullptr) {
    const std::vector<Control> order = CurrentFocusOrder();
    if (!order.empty()) {
      target = ControlWindow(order.front());
    }
  }
  if (target != nullptr) {
    SetFocus(target);
  }
}

void MainForm::RegainActivationAfterModal() {
  if (handle() == nullptr || !IsWindowEnabled(handle())) {
    return;
  }
  if (GetActiveWindow() != handle()) {
    if (GetActiveWindow() == nullptr) {
      SetForegroundWindow(handle());
      if (GetActiveWindow() != handle()) {
        SetActiveWindow(handle());
      }
    }
    return;
  }
  // Already active again, but the focus may not have come back with the activation.
  if (!Contains(GetFocus()) || GetFocus() == handle()) {
    FocusOnActivation();
  }
}

LRESULT MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      return OnActivate(wParam, lParam);
    case WM_SETFOCUS:
      FocusOnActivation(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      // A minimised window holds no focus; the control is given it back on restoring.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        RememberFocus();
      }
      return DefaultHandling(message, wParam, lParam);
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT MainForm::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    RememberFocus();
    return 0;
  }
  // A minimised window keeps no focus on a control; the restore brings WM_SETFOCUS later.
  if (HIWORD(wParam) != 0) {
    return DefaultHandling(WM_ACTIVATE, wParam, lParam);
  }
  FocusOnActivation();
  return 0;
}

void MainForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (building_) {
    return;
  }
  // Identifiers do not fit the 16 bits that WM_COMMAND carries: the button is told by its
  // window.
  if (HIWORD(wParam) == BN_CLICKED &&
      reinterpret_cast<HWND>(lParam) == ControlWindow(Control::按钮1)) {
    events_.OnCalculateClicked();
  }
}

void MainForm::OnDestroy() {
  rememberedFocus_ = nullptr;
  events_.OnMainFormDestroyed();
}

}  // namespace quorvane::ui
