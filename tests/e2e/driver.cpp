#include "tests/e2e/driver.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace quorvane::e2e {
namespace {

constexpr wchar_t kMainCaption[] = L"QuorvaneV2.0";
constexpr UINT kMessageTimeoutMs = 5000;

// A device context from GetDC, released on scope exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
    }
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context with one bitmap selected into it, both freed on scope exit.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ == nullptr) {
      return;
    }
    if (previous_ != nullptr) {
      SelectObject(dc_, previous_);
    }
    if (bitmap_ != nullptr) {
      DeleteObject(bitmap_);
    }
    DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }
  void Select(HBITMAP bitmap) {
    bitmap_ = bitmap;
    previous_ = SelectObject(dc_, bitmap);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

std::wstring WindowsPath(std::wstring_view unixOrWindows) {
  if (!unixOrWindows.starts_with(L'/')) {
    return std::wstring(unixOrWindows);
  }
  std::wstring path = L"Z:";
  for (wchar_t c : unixOrWindows) {
    path.push_back(c == L'/' ? L'\\' : c);
  }
  return path;
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  if (up) {
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
  }
  return input;
}

// Every mouse event carries its own absolute position. Wine turns each move of the pointer into
// an X pointer warp, and the program's process echoes the warp back as a move of its own once
// it next reads its X events, which may be after later input: an echo of an older position then
// lands between our events. A button event that brings its position along is not misplaced by
// such an echo, and a release after an echo still ends over the pressed button.
INPUT MouseAt(POINT screen, DWORD buttonFlags) {
  const long width = GetSystemMetrics(SM_CXSCREEN);
  const long height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  // Absolute coordinates run over 0..65535 of the primary screen and map back by truncation,
  // so the smallest value that still lands on the pixel is the rounded-up one.
  input.mi.dx = (screen.x * 65536 + width - 1) / width;
  input.mi.dy = (screen.y * 65536 + height - 1) / height;
  return input;
}

INPUT ReleaseLeftButton() {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return input;
}

// Where the driver last put the pointer.
POINT lastPointer{};

void Send(std::vector<INPUT>& inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

struct ModifierKey {
  Modifier modifier;
  WORD vk;
};
constexpr ModifierKey kModifierKeys[] = {{kCtrl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};

struct FindMainWindow {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindMainWindowProc(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<FindMainWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  // The caption as the window manager keeps it: nothing is sent to a window still starting.
  wchar_t caption[std::size(kMainCaption) + 1] = {};
  GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
  if (owner == search.processId && IsWindowVisible(window) &&
      std::wstring_view(caption) == kMainCaption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

struct FindBoxes {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK FindBoxesProc(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<FindBoxes*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
    search.found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectProc(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

// Sends the action with the given modifier keys held down around it: pressed in their order,
// released in the reverse order.
void SendHoldingModifiers(unsigned modifiers, std::initializer_list<INPUT> action) {
  std::vector<INPUT> inputs;
  for (const ModifierKey& key : kModifierKeys) {
    if ((modifiers & key.modifier) != 0) {
      inputs.push_back(KeyInput(key.vk, false));
    }
  }
  inputs.insert(inputs.end(), action);
  for (auto key = std::rbegin(kModifierKeys); key != std::rend(kModifierKeys); ++key) {
    if ((modifiers & key->modifier) != 0) {
      inputs.push_back(KeyInput(key->vk, true));
    }
  }
  Send(inputs);
}

}  // namespace

bool IsPainted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) {
    return false;
  }
  for (HWND child : Descendants(window)) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
      return false;
    }
  }
  return true;
}

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
  if (this != &other) {
    Reset(other.Release());
  }
  return *this;
}

HANDLE UniqueHandle::Release() {
  return std::exchange(handle_, nullptr);
}

void UniqueHandle::Reset(HANDLE handle) {
  if (handle_ != nullptr) {
    CloseHandle(handle_);
  }
  handle_ = handle;
}

// ---------------------------------------------------------------------------------------------

std::wstring TextOf(HWND window) {
  if (window == nullptr) {
    return L"<no window>";
  }
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &length)) {
    return L"<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
    return L"<no answer>";
  }
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

POINT Centre(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &state);
  return state == BST_CHECKED;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectProc, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindControl(HWND parent, int id) {
  for (HWND child : Descendants(parent)) {
    if (GetDlgCtrlID(child) == id) {
      return child;
    }
  }
  return nullptr;
}

HWND FindControl(HWND parent, quorvane::Control control) {
  return FindControl(parent, static_cast<int>(control));
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.box = box;
  view.title = TextOf(box);
  if (HWND text = GetDlgItem(box, 0xFFFF); text != nullptr) {
    view.text = TextOf(text);
  }
  for (HWND child : Descendants(box)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
      view.visibleButtons.push_back(child);
    }
  }
  view.owner = GetWindow(box, GW_OWNER);
  return view;
}

// ---------------------------------------------------------------------------------------------

bool MoveMouse(POINT screen) {
  std::vector<INPUT> inputs{MouseAt(screen, 0)};
  Send(inputs);
  lastPointer = screen;
  return WaitFor(
      [&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == screen.x && at.y == screen.y;
      },
      2s);
}

void LeftDown() {
  std::vector<INPUT> inputs{MouseAt(lastPointer, MOUSEEVENTF_LEFTDOWN)};
  Send(inputs);
}

void LeftUp() {
  std::vector<INPUT> inputs{MouseAt(lastPointer, MOUSEEVENTF_LEFTUP)};
  Send(inputs);
}

bool Click(POINT screen, unsigned modifiers) {
  if (!MoveMouse(screen)) {
    return false;
  }
  SendHoldingModifiers(
      modifiers, {MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP)});
  return true;
}

bool DoubleClick(POINT screen) {
  if (!MoveMouse(screen)) {
    return false;
  }
  std::vector<INPUT> inputs{
      MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP),
      MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP)};
  Send(inputs);
  return true;
}

void Key(WORD vk, unsigned modifiers) {
  SendHoldingModifiers(modifiers, {KeyInput(vk, false), KeyInput(vk, true)});
}

void Type(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t unit : text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  if (!inputs.empty()) {
    Send(inputs);
  }
}

void ReleaseAll() {
  std::vector<INPUT> inputs;
  for (int vk : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU}) {
    if ((GetAsyncKeyState(vk) & 0x8000) != 0) {
      inputs.push_back(KeyInput(static_cast<WORD>(vk), true));
    }
  }
  if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) {
    inputs.push_back(ReleaseLeftButton());
  }
  if (!inputs.empty()) {
    Send(inputs);
  }
}

// ---------------------------------------------------------------------------------------------

std::optional<Screenshot> Screenshot::Capture(const RECT& screen) {
  Screenshot shot;
  shot.width_ = screen.right - screen.left;
  shot.height_ = screen.bottom - screen.top;
  if (shot.width_ <= 0 || shot.height_ <= 0) {
    return std::nullopt;
  }
  WindowDc screenDc(nullptr);
  MemoryDc memory(screenDc.Get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shot.width_;
  info.bmiHeader.biHeight = -shot.height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screenDc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || screenDc.Get() == nullptr || memory.Get() == nullptr) {
    if (bitmap != nullptr) {
      DeleteObject(bitmap);
    }
    return std::nullopt;
  }
  memory.Select(bitmap);
  if (!BitBlt(memory.Get(), 0, 0, shot.width_, shot.height_, screenDc.Get(), screen.left,
              screen.top, SRCCOPY)) {
    return std::nullopt;
  }
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  shot.pixels_.assign(first, first + static_cast<std::size_t>(shot.width_) *
                                         static_cast<std::size_t>(shot.height_));
  return shot;
}

COLORREF Screenshot::At(int x, int y) const {
  const std::uint32_t pixel =
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x)];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Brightness(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

// ---------------------------------------------------------------------------------------------

Program::Program(std::wstring exe) {
  const std::wstring path = WindowsPath(exe);
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
}

Program::~Program() {
  Terminate();
}

HWND Program::WaitForMainWindow(Millis timeout) {
  if (!process_) {
    return nullptr;
  }
  const auto start = std::chrono::steady_clock::now();
  const bool found = WaitFor(
      [&] {
        FindMainWindow search{processId_};
        EnumWindows(FindMainWindowProc, reinterpret_cast<LPARAM>(&search));
        main_ = search.found;
        return main_ != nullptr || !IsRunning();
      },
      timeout);
  if (!found || main_ == nullptr) {
    return nullptr;
  }
  threadId_ = GetWindowThreadProcessId(main_, nullptr);
  const auto left =
      timeout - std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start);
  if (!WaitFor([&] { return IsPainted(main_) && Active() == main_; }, std::max(left, 1000ms))) {
    return nullptr;
  }
  return main_;
}

HWND Program::Child(quorvane::Control control) const {
  return main_ == nullptr ? nullptr : FindControl(main_, control);
}

std::vector<HWND> Program::MessageBoxes() const {
  FindBoxes search{processId_, {}};
  EnumWindows(FindBoxesProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::WaitForMessageBox(Millis timeout) const {
  HWND box = nullptr;
  WaitFor(
      [&] {
        const std::vector<HWND> boxes = MessageBoxes();
        box = boxes.size() == 1 ? boxes.front() : nullptr;
        // Ready for input once it is active and its buttons have been laid out.
        return box != nullptr && Active() == box && Focus() != nullptr &&
               GetDlgItem(box, 0xFFFF) != nullptr;
      },
      timeout);
  return box;
}

HWND Program::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (threadId_ == 0 || !GetGUIThreadInfo(threadId_, &info)) {
    return nullptr;
  }
  return info.hwndFocus;
}

HWND Program::Active() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (threadId_ == 0 || !GetGUIThreadInfo(threadId_, &info)) {
    return nullptr;
  }
  return info.hwndActive;
}

int Program::FocusedId() const {
  HWND focus = Focus();
  if (focus == nullptr || main_ == nullptr || !IsChild(main_, focus)) {
    return 0;
  }
  return GetDlgCtrlID(focus);
}

bool Program::WaitForFocus(quorvane::Control control, Millis timeout) const {
  return WaitFor([&] { return FocusedId() == static_cast<int>(control); }, timeout);
}

bool Program::IsRunning() const {
  return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(Millis timeout) {
  if (!process_ ||
      WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.Get(), &code)) {
    return std::nullopt;
  }
  return code;
}

void Program::Terminate() {
  if (IsRunning()) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

std::wstring ProgramPath() {
  constexpr char kPath[] = QUORVANE_EXE;
  std::wstring path(std::size(kPath), L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, kPath, -1, path.data(), static_cast<int>(path.size()));
  path.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return path;
}

}  // namespace quorvane::e2e
