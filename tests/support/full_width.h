#pragma once

#include <string>
#include <string_view>

namespace quorvane::testing {

// The text with each ASCII character 0x21..0x7E replaced by its full-width form and each space
// by the ideographic space, in code page 936; other bytes are kept.
inline std::string FullWidth(std::string_view ascii) {
  std::string wide;
  for (const char c : ascii) {
    if (c == ' ') {
      wide += "\xA1\xA1";
    } else if (c > ' ' && c < 0x7F) {
      wide += '\xA3';
      wide += static_cast<char>(c + 0x80);
    } else {
      wide += c;
    }
  }
  return wide;
}

}  // namespace quorvane::testing
