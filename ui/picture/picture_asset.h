#pragma once

#include <cstdint>
#include <span>

namespace quorvane::ui {

// The program's picture (assets/picture_gen.py) as bytes linked into the program that calls this:
// for tests, benchmarks and fuzzers. The program itself reads it from its resources.
std::span<const std::uint8_t> PictureAssetBytes() noexcept;

}  // namespace quorvane::ui
