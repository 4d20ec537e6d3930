#pragma once

#include <string>
#include <string_view>

namespace quorvane::testing {

// The code page 936 bytes of a UTF-8 text, made by the platform's own converter (iconv on
// Linux, WideCharToMultiByte on Windows), so that tests can check the program's code page 936
// texts against something other than the program itself.
std::string Cp936(std::string_view utf8);

}  // namespace quorvane::testing
