// Any bytes through the picture box's decode, composite and fit: nothing may crash or read out
// of bounds, a decoded picture must hold exactly its rows, and the composite must keep the
// blend's fixed points (transparent gives the background, opaque keeps the picture).
//
// libpng itself is not instrumented, so the fuzzer cannot see which of its paths an input
// takes; the mutator therefore repairs every chunk's CRC after mutating, so that mutated
// chunks reach libpng's decoding instead of all stopping at its CRC check.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/picture/picture.h"

using quorvane::ui::CompositeOverBackground;
using quorvane::ui::DecodePicture;
using quorvane::ui::FitPicture;
using quorvane::ui::PictureDisplayMode;
using quorvane::ui::PictureRect;

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::uint32_t ReadBigEndian(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Rewrites the CRC of every whole chunk after the 8-byte signature.
void RepairCrcs(std::uint8_t* data, std::size_t size) {
  std::size_t at = 8;
  while (size >= 12 && at <= size - 12) {
    const std::uint32_t length = ReadBigEndian(data + at);
    if (length > size - 12 - at) {
      return;
    }
    const auto crc = static_cast<std::uint32_t>(
        crc32(crc32(0, nullptr, 0), data + at + 4, static_cast<uInt>(length + 4)));
    std::uint8_t* field = data + at + 8 + length;
    field[0] = static_cast<std::uint8_t>(crc >> 24);
    field[1] = static_cast<std::uint8_t>(crc >> 16);
    field[2] = static_cast<std::uint8_t>(crc >> 8);
    field[3] = static_cast<std::uint8_t>(crc);
    at += 12 + length;
  }
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
  size = LLVMFuzzerMutate(data, size, maxSize);
  // Now and then the CRCs stay broken, so that the CRC checks themselves keep being fuzzed.
  if (seed % 8 != 0) {
    RepairCrcs(data, size);
  }
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = DecodePicture({data, size});
  if (!picture) {
    return 0;
  }
  const auto pixels =
      static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height);
  Require(picture->width > 0 && picture->height > 0);
  Require(picture->pixels.size() == pixels * 4);

  // A background taken from the input, so that every colour gets its turn.
  const std::uint32_t background = size >= 12
                                       ? (std::uint32_t{data[size - 1]} << 16 |
                                          std::uint32_t{data[size - 2]} << 8 | data[size - 3])
                                       : 0x00F0F0F0u;
  std::vector<std::uint8_t> composite(picture->pixels.size());
  CompositeOverBackground(*picture, background, composite);
  const std::uint8_t backgroundBgr[] = {static_cast<std::uint8_t>(background >> 16),
                                        static_cast<std::uint8_t>(background >> 8),
                                        static_cast<std::uint8_t>(background)};
  for (std::size_t i = 0; i < composite.size(); i += 4) {
    Require(composite[i + 3] == 255);
    const std::uint8_t alpha = picture->pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c) {
      if (alpha == 0) {
        Require(composite[i + c] == backgroundBgr[c]);
      } else if (alpha == 255) {
        Require(composite[i + c] == picture->pixels[i + c]);
      }
    }
  }

  // In the picture box's client area, a fitted picture stays inside and is never enlarged.
  const PictureRect fitted =
      FitPicture(PictureDisplayMode::kFitCentred, 120, 128, picture->width, picture->height);
  Require(fitted.x >= 0 && fitted.y >= 0 && fitted.width >= 0 && fitted.height >= 0);
  Require(fitted.x + fitted.width <= 120 && fitted.y + fitted.height <= 128);
  Require(fitted.width <= picture->width && fitted.height <= picture->height);
  return 0;
}
