#include "tests/support/cp936.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace quorvane::testing {

#ifdef _WIN32

std::string Cp936(std::string_view utf8) {
  const int utf8Size = static_cast<int>(utf8.size());
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                                           utf8.data(), utf8Size, wide.data(),
                                                           static_cast<int>(wide.size()))));
  std::string bytes(wide.size() * 2, '\0');
  bytes.resize(static_cast<std::size_t>(
      WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

#else

std::string Cp936(std::string_view utf8) {
  const iconv_t converter = iconv_open("CP936", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("iconv has no CP936 converter");
  }
  std::string input(utf8);
  std::string bytes(utf8.size() * 2 + 4, '\0');
  char* in = input.data();
  std::size_t inLeft = input.size();
  char* out = bytes.data();
  std::size_t outLeft = bytes.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) {
    throw std::runtime_error("text has no code page 936 form");
  }
  bytes.resize(bytes.size() - outLeft);
  return bytes;
}

#endif

}  // namespace quorvane::testing
