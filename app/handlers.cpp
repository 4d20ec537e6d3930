#include "app/handlers.h"

#include <string_view>

namespace quorvane::app {

void OnMainFormCreated() {}

void OnPictureLeftButtonDown(FormAccess& form, std::int32_t /*x*/, std::int32_t /*y*/,
                             std::int32_t /*keyState*/) {
  // The greeting, wherever the press landed: "要开心呀！加油哦！" titled "财务部" (code page 936),
  // with a plain OK button.
  static constexpr std::string_view kGreeting =
      "\xD2\xAA\xBF\xAA\xD0\xC4\xD1\xBD\xA3\xA1\xBC\xD3\xD3\xCD\xC5\xB6\xA3\xA1";
  static constexpr std::string_view kTitle = "\xB2\xC6\xCE\xF1\xB2\xBF";
  form.ShowMessage(kGreeting, 0, kTitle);
}

}  // namespace quorvane::app
