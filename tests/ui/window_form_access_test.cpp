#include "ui/window_form_access.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/support/cp936.h"
#include "tests/ui/window_test_support.h"

namespace quorvane::ui {
namespace {

using enum Control;
using quorvane::testing::Cp936;
using testing::MainFormFixture;
using testing::PumpMessages;
using testing::TextOf;

class WindowFormAccessTest : public MainFormFixture {
 protected:
  WindowFormAccess access_{form_};
};

TEST_F(WindowFormAccessTest, GetTextGivesTheWholeTextInCodePage936) {
  struct Case {
    const wchar_t* typed;
    const char* utf8;
  };
  const Case cases[] = {
      {L"", ""},
      {L"10", "10"},
      {L"   ", "   "},
      {L"abc", "abc"},
      {L"12元", "12元"},
      {L"１２．５", "１２．５"},
      {L"单价：1,000 ★", "单价：1,000 ★"},
  };
  for (const Case& c : cases) {
    SetWindowTextW(Window(编辑框1), c.typed);
    EXPECT_EQ(access_.GetText(编辑框1), Cp936(c.utf8)) << c.utf8;
  }
}

TEST_F(WindowFormAccessTest, ACharacterWithoutACodePage936FormBecomesTheDefaultCharacter) {
  SetWindowTextW(Window(编辑框2), L"1\u0E012");  // a Thai letter between two digits
  EXPECT_EQ(access_.GetText(编辑框2), "1?2");
}

TEST_F(WindowFormAccessTest, SetTextReplacesTheWholeTextEvenWithTheSameText) {
  SetWindowTextW(Window(编辑框4), L"old text");
  access_.SetText(编辑框4, Cp936("个提299.16"));
  EXPECT_EQ(TextOf(Window(编辑框4)), L"个提299.16");

  // The same text again still goes to the control, which clears its modified flag on WM_SETTEXT.
  SendMessageW(Window(编辑框4), EM_SETMODIFY, TRUE, 0);
  access_.SetText(编辑框4, Cp936("个提299.16"));
  EXPECT_EQ(SendMessageW(Window(编辑框4), EM_GETMODIFY, 0, 0), FALSE);
  EXPECT_EQ(TextOf(Window(编辑框4)), L"个提299.16");

  access_.SetText(编辑框4, "");
  EXPECT_EQ(TextOf(Window(编辑框4)), L"");
  EXPECT_EQ(access_.GetText(编辑框4), "");
}

TEST_F(WindowFormAccessTest, LongTextsPassWholeBothWays) {
  std::string bytes;
  std::wstring wide;
  while (wide.size() < 30000) {
    bytes += Cp936("单价1a");
    wide += L"单价1a";
  }
  access_.SetText(编辑框1, bytes);
  EXPECT_EQ(GetWindowTextLengthW(Window(编辑框1)), 30000);
  EXPECT_EQ(TextOf(Window(编辑框1)), wide);
  EXPECT_EQ(access_.GetText(编辑框1), bytes);

  // Typed rather than set, a text beyond the edit control's default limit of 32767 characters
  // goes in whole too.
  const std::wstring typed = wide + wide;
  SendMessageW(Window(编辑框3), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(typed.c_str()));
  EXPECT_EQ(GetWindowTextLengthW(Window(编辑框3)), 60000);
  EXPECT_EQ(access_.GetText(编辑框3), bytes + bytes);
}

TEST_F(WindowFormAccessTest, IsCheckedAnswersFromTheControlAtTheMomentOfTheCall) {
  EXPECT_FALSE(access_.IsChecked(单选框1));
  EXPECT_FALSE(access_.IsChecked(单选框2));
  SendMessageW(Window(单选框2), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_FALSE(access_.IsChecked(单选框1));
  EXPECT_TRUE(access_.IsChecked(单选框2));
  SendMessageW(Window(单选框2), BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_FALSE(access_.IsChecked(单选框2));
}

// What a message box of this thread showed, read from a second thread while it is open; the
// second thread then closes it as the Esc key would.
struct SeenBox {
  std::wstring title;
  std::wstring text;
  bool found = false;
  bool ownerless = false;
  bool mainWindowEnabled = true;
};

HWND FindMessageBoxOf(DWORD threadId) {
  struct Search {
    DWORD threadId;
    HWND box;
  } search{threadId, nullptr};
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM parameter) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, static_cast<int>(std::size(name)));
        if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
          reinterpret_cast<Search*>(parameter)->box = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.box;
}

class BoxWatcher {
 public:
  explicit BoxWatcher(HWND mainWindow)
      : thread_([this, mainWindow, uiThread = GetCurrentThreadId()] {
          const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
          while (std::chrono::steady_clock::now() < deadline) {
            if (HWND box = FindMessageBoxOf(uiThread)) {
              seen_.found = true;
              seen_.title = TextOf(box);
              seen_.text = TextOf(GetDlgItem(box, 0xFFFF));
              seen_.ownerless = GetWindow(box, GW_OWNER) == nullptr;
              seen_.mainWindowEnabled = IsWindowEnabled(mainWindow) != FALSE;
              PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
              return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
        }) {}
  ~BoxWatcher() {
    if (thread_.joinable()) {
      thread_.join();
    }
  }
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  const SeenBox& Seen() {
    thread_.join();
    return seen_;
  }

 private:
  SeenBox seen_;
  std::thread thread_;
};

TEST_F(WindowFormAccessTest, ShowMessageIsTaskModalOwnerlessAndTitledAsAsked) {
  ShowForm();
  struct Case {
    const char* text;
    const char* title;  // null: the caller names none
    const wchar_t* expectedText;
    const wchar_t* expectedTitle;
  };
  const Case cases[] = {
      {"客户类型选择错误", "Error", L"客户类型选择错误", L"Error"},
      {"要开心呀！加油哦！", "财务部", L"要开心呀！加油哦！", L"财务部"},
      {"", nullptr, L"", L"信息："},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    BoxWatcher watcher(form_.handle());
    const int result = c.title != nullptr ? access_.ShowMessage(Cp936(c.text), 0, Cp936(c.title))
                                          : access_.ShowMessage(Cp936(c.text), 0);
    const SeenBox& seen = watcher.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, 0);  // with the single OK button, every way of closing counts as OK
    EXPECT_EQ(seen.title, c.expectedTitle);
    EXPECT_EQ(seen.text, c.expectedText);
    EXPECT_EQ(TextOf(Window(编辑框1)), L"");
    EXPECT_TRUE(seen.ownerless);
    EXPECT_FALSE(seen.mainWindowEnabled);  // task-modal: the thread's windows are disabled
    EXPECT_TRUE(IsWindowEnabled(form_.handle()));
  }
}

TEST_F(WindowFormAccessTest, TheFocusedControlHasTheFocusAgainWhenTheBoxCloses) {
  ShowForm();
  for (const Control control : {按钮1, 编辑框2, 单选框4}) {
    SCOPED_TRACE(FindControl(control)->name.data());
    SetFocus(Window(control));
    PumpMessages();
    {
      BoxWatcher watcher(form_.handle());
      access_.ShowMessage(Cp936("客户类型选择错误"), 0, "Error");
      ASSERT_TRUE(watcher.Seen().found);
    }
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), form_.handle());
    EXPECT_EQ(Focused(), control);
  }
}

}  // namespace
}  // namespace quorvane::ui
