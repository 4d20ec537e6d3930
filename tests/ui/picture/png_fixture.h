#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small PNG files made in the tests, and a reader of a PNG's chunk list that does not use libpng.
namespace quorvane::ui::testing {

struct PngChunk {
  std::string type;
  std::size_t offset = 0;  // of the chunk's length field
  std::vector<std::uint8_t> data;
  bool crcMatches = false;
};

// The chunks of `png` after its signature, in order; empty when the signature is wrong or a
// chunk runs past the end.
std::vector<PngChunk> ReadChunks(const std::vector<std::uint8_t>& png);

// A non-interlaced 8-bit PNG of colour type 2 (RGB) or 6 (RGBA) holding `pixels`, row by row.
std::vector<std::uint8_t> MakePng(int width, int height, int colourType,
                                  const std::vector<std::uint8_t>& pixels);

// A copy of the program's embedded picture, for tests that damage or take it apart.
std::vector<std::uint8_t> AssetBytes();

}  // namespace quorvane::ui::testing
