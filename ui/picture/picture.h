#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The picture box's picture without any window: decoding its PNG bytes, placing it in a client
// area, and blending it over a background colour. Portable, so that it is tested, measured and
// fuzzed natively as well as in the Windows build.
namespace quorvane::ui {

// How a picture box shows its picture: 0 at its natural size in the top-left corner, 1
// stretched over the whole client area, 2 shrunk to fit (never enlarged) and centred.
enum class PictureDisplayMode { kNatural = 0, kStretch = 1, kFitCentred = 2 };

// A decoded picture: `height` rows from the top, each `width` pixels of four bytes in the order
// blue, green, red, alpha, with straight (not premultiplied) alpha. Width and height are > 0.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Pictures with more pixels than this are refused rather than allocated: a 4 k square.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{4096} * 4096;

// Decodes PNG bytes. Fewer than 8 bytes, bytes that do not start with the PNG signature, a PNG
// that does not decode and a picture beyond kMaxPicturePixels give no picture.
std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes) noexcept;

// A destination rectangle in client coordinates.
struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureRect&) const = default;
};

// Where a picture of pictureWidth x pictureHeight lands in a client area of clientWidth x
// clientHeight under `mode`.
PictureRect FitPicture(PictureDisplayMode mode, int clientWidth, int clientHeight, int pictureWidth,
                       int pictureHeight) noexcept;

// Blends every pixel of `picture` over `background` (0x00BBGGRR, as a Win32 COLORREF) into
// `out`, which holds picture.pixels.size() bytes; the result is opaque (alpha 255).
void CompositeOverBackground(const Picture& picture, std::uint32_t background,
                             std::span<std::uint8_t> out) noexcept;

}  // namespace quorvane::ui
