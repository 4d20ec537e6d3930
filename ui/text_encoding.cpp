#include "ui/text_encoding.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace quorvane::ui {
namespace {

constexpr UINT kCodePage936 = 936;

int ToInt(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) {
    throw std::length_error("text too long for the platform's converter");
  }
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromCp936(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = ToInt(text.size());
  const int length = MultiByteToWideChar(kCodePage936, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage936, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Cp936FromWide(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = ToInt(text.size());
  const int length =
      WideCharToMultiByte(kCodePage936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage936, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace quorvane::ui
