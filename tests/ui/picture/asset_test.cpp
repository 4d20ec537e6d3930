// The program's picture as it is built: what the picture box and the end-to-end checks rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/ui/picture/png_fixture.h"
#include "ui/picture/picture.h"
#include "ui/picture/picture_asset.h"

namespace quorvane::ui {
namespace {

using testing::AssetBytes;
using testing::PngChunk;
using testing::ReadChunks;

TEST(PictureAssetTest, IsA200By200RgbaPngWithOnlyCriticalChunks) {
  const std::vector<PngChunk> chunks = ReadChunks(AssetBytes());
  ASSERT_GE(chunks.size(), 3u);
  for (const PngChunk& chunk : chunks) {
    EXPECT_TRUE(chunk.crcMatches) << chunk.type;
  }
  // IHDR first, IEND last, image data between; no gamma, chromaticity, sRGB or ICC profile,
  // nor any other chunk that could change how the colours come out.
  EXPECT_EQ(chunks.front().type, "IHDR");
  EXPECT_EQ(chunks.back().type, "IEND");
  for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
    EXPECT_EQ(chunks[i].type, "IDAT") << "chunk " << i;
  }
  const std::vector<std::uint8_t> expectedHeader = {0, 0, 0, 200, 0, 0, 0, 200,
                                                    8,   // bits per channel
                                                    6,   // RGBA
                                                    0,   // deflate
                                                    0,   // adaptive filtering
                                                    0};  // not interlaced
  EXPECT_EQ(chunks.front().data, expectedHeader);
}

// A dark grey line drawing on a fully transparent ground, its edges smoothed in alpha only.
TEST(PictureAssetTest, IsDarkGreyInkMostlyTransparentWithSoftEdges) {
  const auto picture = DecodePicture(PictureAssetBytes());
  ASSERT_TRUE(picture.has_value());
  int transparent = 0;
  int partial = 0;
  int opaque = 0;
  for (std::size_t i = 0; i < picture->pixels.size(); i += 4) {
    const std::uint8_t alpha = picture->pixels[i + 3];
    if (alpha == 0) {
      ++transparent;
      continue;
    }
    alpha == 255 ? ++opaque : ++partial;
    ASSERT_EQ(picture->pixels[i], 81) << "pixel " << i / 4;
    ASSERT_EQ(picture->pixels[i + 1], 81) << "pixel " << i / 4;
    ASSERT_EQ(picture->pixels[i + 2], 81) << "pixel " << i / 4;
  }
  const double total = 200.0 * 200.0;
  EXPECT_NEAR(transparent / total, 0.89, 0.01);
  EXPECT_GT(opaque, 1000);   // solid line cores
  EXPECT_GT(partial, 1000);  // and their anti-aliased edges
}

// The places the end-to-end checks look at, in the picture's own coordinates: the picture box
// shows picture pixel (px, py) at about (px * 0.6, 4 + py * 0.6).
TEST(PictureAssetTest, HasTheLandmarksTheScreenChecksUse) {
  const auto picture = DecodePicture(PictureAssetBytes());
  ASSERT_TRUE(picture.has_value());
  const auto alphaAt = [&](int x, int y) {
    return picture
        ->pixels[(static_cast<std::size_t>(y) * 200 + static_cast<std::size_t>(x)) * 4 + 3];
  };
  const auto allAlpha = [&](int x0, int y0, int x1, int y1, auto predicate) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        if (!predicate(alphaAt(x, y))) {
          return false;
        }
      }
    }
    return true;
  };
  const auto clear = [](std::uint8_t a) { return a == 0; };
  const auto solid = [](std::uint8_t a) { return a == 255; };
  // Empty sky: the whole top-left corner and the space between planet and moon.
  EXPECT_TRUE(allAlpha(0, 0, 15, 15, clear));
  EXPECT_TRUE(allAlpha(120, 40, 135, 55, clear));
  // Inside the planet, above its latitude line.
  EXPECT_TRUE(allAlpha(90, 72, 100, 80, clear));
  // Solid ink: the planet's outline at its top and bottom, the ring's left end.
  EXPECT_TRUE(allAlpha(94, 59, 98, 60, solid));
  EXPECT_TRUE(allAlpha(94, 151, 98, 152, solid));
  EXPECT_TRUE(allAlpha(13, 125, 13, 129, solid));
}

}  // namespace
}  // namespace quorvane::ui
