#pragma once

// FormAccess on the live main window. The window is a Unicode window; the handlers speak code
// page 936, so every text is converted here, explicitly with code page 936, and the handlers see
// the same bytes on every Windows whatever its system code page.

#include <string>
#include <string_view>

#include "calc/form_access.h"
#include "ui/main_form.h"

namespace quorvane::ui {

class WindowFormAccess final : public FormAccess {
 public:
  explicit WindowFormAccess(MainForm& form) : form_(form) {}

  using FormAccess::ShowMessage;

  bool IsChecked(Control radioButton) override;
  std::string GetText(Control editBox) override;
  void SetText(Control editBox, std::string_view text) override;
  // Owner-less and task-modal: the style is the button code plus MB_TASKMODAL and nothing more.
  // Returns 0 when the box was closed with OK (or could not be shown), otherwise the platform's
  // identifier of the button that closed it.
  int ShowMessage(std::string_view text, unsigned buttonCode, std::string_view title) override;

 private:
  MainForm& form_;
};

}  // namespace quorvane::ui
