#pragma once

// The window is a Unicode window, while the handlers speak code page 936. These conversions sit
// at that boundary so that the handlers see the same bytes on every Windows, whatever its
// system code page. They never fail: what has no form in the other encoding becomes the
// converter's default character.

#include <string>
#include <string_view>

namespace quorvane::ui {

std::wstring WideFromCp936(std::string_view text);
std::string Cp936FromWide(std::wstring_view text);

}  // namespace quorvane::ui
