#include "ui/picture/picture.h"

#include <png.h>

#include <algorithm>
#include <iterator>
#include <new>

namespace quorvane::ui {
namespace {

// 1/255 rounded to single precision (8421505 / 2^31), as the blend has always used it: a
// component 0 over 255 gives 253 at alpha 1, not the 254 that exact 1/255 would give.
constexpr double kAlphaScale = 0.0039215688593685627;

// Frees the libpng state of a png_image on every way out.
class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  ~PngImage() { png_image_free(&image_); }
  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

std::uint8_t Blend(std::uint8_t component, std::uint8_t background, double t, double rest) {
  // Both products and their sum are exact in double: t has at most 32 significant bits.
  const double value = component * t + background * rest;
  if (!(value > 0.0)) {
    return 0;
  }
  if (value >= 255.0) {
    return 255;
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes) noexcept {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G'};
  if (bytes.size() < 8 ||
      !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) {
    return std::nullopt;
  }
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), bytes.data(), bytes.size())) {
    return std::nullopt;
  }
  png_image& image = *png.get();
  if (image.width == 0 || image.height == 0 ||
      std::int64_t{image.width} * image.height > kMaxPicturePixels) {
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGRA;
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  try {
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  // A null background keeps the alpha channel; stride 0 means rows packed one after another.
  if (!png_image_finish_read(png.get(), nullptr, picture.pixels.data(), 0, nullptr)) {
    return std::nullopt;
  }
  return picture;
}

PictureRect FitPicture(PictureDisplayMode mode, int clientWidth, int clientHeight, int pictureWidth,
                       int pictureHeight) noexcept {
  switch (mode) {
    case PictureDisplayMode::kStretch:
      return {0, 0, clientWidth, clientHeight};
    case PictureDisplayMode::kFitCentred:
      break;
    case PictureDisplayMode::kNatural:
    default:
      return {0, 0, pictureWidth, pictureHeight};
  }
  if (pictureWidth <= 0 || pictureHeight <= 0) {
    return {};
  }
  // First centre each direction the picture fits in, then shrink into what is left; the
  // halvings happen in these two steps, so a 1-pixel remainder is dropped twice, not once.
  PictureRect rect{0, 0, clientWidth, clientHeight};
  if (pictureWidth <= clientWidth) {
    rect.x = (clientWidth - pictureWidth) / 2;
    rect.width = pictureWidth;
  }
  if (pictureHeight <= clientHeight) {
    rect.y = (clientHeight - pictureHeight) / 2;
    rect.height = pictureHeight;
  }
  if (pictureWidth > rect.width || pictureHeight > rect.height) {
    const double scale = std::min(static_cast<double>(rect.width) / pictureWidth,
                                  static_cast<double>(rect.height) / pictureHeight);
    const int width = static_cast<int>(pictureWidth * scale);
    const int height = static_cast<int>(pictureHeight * scale);
    rect.x += (rect.width - width) / 2;
    rect.y += (rect.height - height) / 2;
    rect.width = width;
    rect.height = height;
  }
  return rect;
}

void CompositeOverBackground(const Picture& picture, std::uint32_t background,
                             std::span<std::uint8_t> out) noexcept {
  const std::uint8_t blue = static_cast<std::uint8_t>(background >> 16);
  const std::uint8_t green = static_cast<std::uint8_t>(background >> 8);
  const std::uint8_t red = static_cast<std::uint8_t>(background);
  const std::size_t size = std::min(picture.pixels.size(), out.size()) / 4 * 4;
  const std::uint8_t* from = picture.pixels.data();
  std::uint8_t* to = out.data();
  for (std::size_t i = 0; i < size; i += 4) {
    const std::uint8_t alpha = from[i + 3];
    // The two ends need no arithmetic: at alpha 0 the blend is the background exactly (P * 0
    // + B * 1), and most of a line drawing is transparent.
    if (alpha == 0) {
      to[i] = blue;
      to[i + 1] = green;
      to[i + 2] = red;
    } else if (alpha == 255) {
      to[i] = from[i];
      to[i + 1] = from[i + 1];
      to[i + 2] = from[i + 2];
    } else {
      const double t = alpha * kAlphaScale;
      const double rest = 1.0 - t;
      to[i] = Blend(from[i], blue, t, rest);
      to[i + 1] = Blend(from[i + 1], green, t, rest);
      to[i + 2] = Blend(from[i + 2], red, t, rest);
    }
    to[i + 3] = 255;
  }
}

}  // namespace quorvane::ui
