#include "ui/picture/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/ui/picture/png_fixture.h"
#include "ui/picture/picture_asset.h"

namespace quorvane::ui {
namespace {

using testing::AssetBytes;
using testing::MakePng;
using testing::ReadChunks;

// ---- Placing the picture ----

struct FitCase {
  int pictureWidth;
  int pictureHeight;
  PictureRect expected;
};

class FitCentredTest : public ::testing::TestWithParam<FitCase> {};

// The picture box's client area, 120 x 128.
TEST_P(FitCentredTest, ShrinksToFitAndCentresInTwoSteps) {
  const FitCase& c = GetParam();
  EXPECT_EQ(FitPicture(PictureDisplayMode::kFitCentred, 120, 128, c.pictureWidth, c.pictureHeight),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PictureBox, FitCentredTest,
    ::testing::Values(
        // The program's picture: m = 0.6, bands of 4 rows above and below.
        FitCase{200, 200, {0, 4, 120, 120}},
        // Smaller pictures keep their size; the odd remainders round down.
        FitCase{100, 100, {10, 14, 100, 100}}, FitCase{99, 99, {10, 14, 99, 99}},
        FitCase{120, 128, {0, 0, 120, 128}},
        // Too tall: centred across first, then shrunk within its own width.
        FitCase{100, 300, {39, 0, 42, 128}},
        // Both halvings drop a remainder: (120-105)/2 + (105-44)/2 = 37, not (120-44)/2 = 38.
        FitCase{105, 300, {37, 0, 44, 128}},
        // Too wide: centred down first, then shrunk within its own height.
        FitCase{300, 100, {0, 44, 120, 40}},
        // Larger both ways: m = 120/121, and 129 * m truncates to 127.
        FitCase{121, 129, {0, 0, 120, 127}}));

TEST(FitPictureTest, NaturalSizeSitsTopLeftEvenWhenLarger) {
  EXPECT_EQ(FitPicture(PictureDisplayMode::kNatural, 120, 128, 200, 200),
            (PictureRect{0, 0, 200, 200}));
  EXPECT_EQ(FitPicture(PictureDisplayMode::kNatural, 120, 128, 30, 40),
            (PictureRect{0, 0, 30, 40}));
}

TEST(FitPictureTest, StretchCoversTheClientAreaWhateverThePicture) {
  EXPECT_EQ(FitPicture(PictureDisplayMode::kStretch, 120, 128, 200, 200),
            (PictureRect{0, 0, 120, 128}));
  EXPECT_EQ(FitPicture(PictureDisplayMode::kStretch, 120, 128, 30, 40),
            (PictureRect{0, 0, 120, 128}));
}

// ---- Blending over the background ----

// One pixel (B, G, R, A) over `background`, through CompositeOverBackground.
std::vector<std::uint8_t> CompositePixels(std::vector<std::uint8_t> pixels,
                                          std::uint32_t background) {
  Picture picture;
  picture.width = static_cast<int>(pixels.size() / 4);
  picture.height = 1;
  picture.pixels = std::move(pixels);
  std::vector<std::uint8_t> out(picture.pixels.size(), 0xCD);
  CompositeOverBackground(picture, background, out);
  return out;
}

struct BlendCase {
  std::uint8_t component;
  std::uint8_t background;
  std::uint8_t alpha;
  std::uint8_t expected;
};

class BlendTest : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendTest, GivesTheTruncatedBlend) {
  const BlendCase& c = GetParam();
  const std::uint32_t grey = 0x010101u * c.background;
  const auto out = CompositePixels({c.component, c.component, c.component, c.alpha}, grey);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{c.expected, c.expected, c.expected, 255}));
}

INSTANTIATE_TEST_SUITE_P(
    PictureBox, BlendTest,
    ::testing::Values(BlendCase{200, 37, 0, 37},     // transparent: the background exactly
                      BlendCase{17, 240, 255, 17},   // opaque: the picture exactly
                      BlendCase{0, 255, 1, 253},     // 1/255 in single precision is a bit
                      BlendCase{0, 255, 128, 126},   // more than 1/255: both fall short
                      BlendCase{255, 0, 254, 254},   // ... and this one just passes 254
                      BlendCase{81, 240, 128, 160},  // the drawing's ink half over the face
                      BlendCase{255, 255, 77, 255}));

TEST(CompositeTest, EachChannelBlendsWithItsOwnBackgroundComponent) {
  // Background RGB(1, 2, 3) as 0x00BBGGRR; a transparent pixel takes it in B, G, R order.
  const auto out = CompositePixels({90, 91, 92, 0, 10, 20, 30, 255}, 0x00030201u);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{3, 2, 1, 255, 10, 20, 30, 255}));
}

// Against the blend worked out in integers: t = A * 8421505 / 2^31, exactly.
TEST(CompositeTest, MatchesTheExactRationalBlendForEveryAlpha) {
  const std::uint8_t values[] = {0, 1, 2, 81, 127, 128, 200, 240, 254, 255};
  for (const std::uint8_t component : values) {
    for (const std::uint8_t background : values) {
      std::vector<std::uint8_t> pixels;
      for (int alpha = 0; alpha < 255; ++alpha) {
        pixels.insert(pixels.end(), {component, 0, 0, static_cast<std::uint8_t>(alpha)});
      }
      const auto out = CompositePixels(pixels, std::uint32_t{background} << 16);
      for (std::int64_t alpha = 0; alpha < 255; ++alpha) {
        const std::int64_t weight = alpha * 8421505;
        const std::int64_t scaled =
            component * weight + background * ((std::int64_t{1} << 31) - weight);
        const auto expected = static_cast<int>(scaled >> 31);
        ASSERT_EQ(out[static_cast<std::size_t>(alpha) * 4], expected)
            << "component " << int{component} << " over " << int{background} << " at alpha "
            << alpha;
      }
    }
  }
}

// ---- Decoding ----

TEST(DecodePictureTest, DecodesIntoBlueGreenRedAlphaRowsWithStraightAlpha) {
  // Two rows of two RGBA pixels; half-transparent colours must come back unscaled.
  const std::vector<std::uint8_t> rgba = {10, 20, 30, 40, 200, 150, 100, 255,
                                          1,  2,  3,  0,  250, 251, 252, 128};
  const auto picture = DecodePicture(MakePng(2, 2, 6, rgba));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 2);
  EXPECT_EQ(picture->pixels, (std::vector<std::uint8_t>{30, 20, 10, 40, 100, 150, 200, 255, 3, 2, 1,
                                                        0, 252, 251, 250, 128}));
}

TEST(DecodePictureTest, GivesAPictureWithoutAlphaFullOpacity) {
  const auto picture = DecodePicture(MakePng(3, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->pixels, (std::vector<std::uint8_t>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255}));
}

TEST(DecodePictureTest, DecodesTheProgramsPicture) {
  const auto picture = DecodePicture(PictureAssetBytes());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 200);
  EXPECT_EQ(picture->height, 200);
  EXPECT_EQ(picture->pixels.size(), 200u * 200u * 4u);
}

// What a damaged copy of the program's picture looks like, made from its bytes.
struct DamageCase {
  const char* name;
  std::vector<std::uint8_t> (*damage)(std::vector<std::uint8_t>);
};

std::size_t ChunkOffset(const std::vector<std::uint8_t>& png, const char* type) {
  for (const auto& chunk : ReadChunks(png)) {
    if (chunk.type == type) {
      return chunk.offset;
    }
  }
  ADD_FAILURE() << "no " << type << " chunk";
  return 0;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size) {
  bytes.resize(std::min(size, bytes.size()));
  return bytes;
}

const DamageCase kDamages[] = {
    {"Empty", [](std::vector<std::uint8_t>) { return std::vector<std::uint8_t>{}; }},
    {"SevenBytesOfTheSignature", [](std::vector<std::uint8_t> png) { return Cut(png, 7); }},
    {"SignatureOnly", [](std::vector<std::uint8_t> png) { return Cut(png, 8); }},
    {"CutInsideTheHeader", [](std::vector<std::uint8_t> png) { return Cut(png, 20); }},
    {"CutAfterTheHeader", [](std::vector<std::uint8_t> png) { return Cut(png, 33); }},
    {"CutInsideTheImageData",
     [](std::vector<std::uint8_t> png) { return Cut(png, png.size() / 2); }},
    {"HeaderCrcDamaged",
     [](std::vector<std::uint8_t> png) {
       png[8 + 8 + 13] ^= 0x01;  // first byte of IHDR's CRC
       return png;
     }},
    {"ImageDataCrcDamaged",
     [](std::vector<std::uint8_t> png) {
       const std::size_t at = ChunkOffset(png, "IDAT");
       const std::size_t length = std::size_t{png[at]} << 24 | std::size_t{png[at + 1]} << 16 |
                                  std::size_t{png[at + 2]} << 8 | png[at + 3];
       png[at + 8 + length + 3] ^= 0x80;  // last byte of IDAT's CRC; the data are intact
       return png;
     }},
    {"SignatureTailDamaged",
     [](std::vector<std::uint8_t> png) {
       png[6] = 0;  // "\x89PNG" still leads, the line-ending check fails
       return png;
     }},
    {"NotAPng",
     [](std::vector<std::uint8_t> png) {
       png[1] = 'G';
       png[2] = 'I';
       png[3] = 'F';
       return png;
     }},
};

void PrintTo(const DamageCase& damage, std::ostream* out) {
  *out << damage.name;
}

class DamagedPictureTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedPictureTest, GivesNoPicture) {
  const auto bytes = GetParam().damage(AssetBytes());
  EXPECT_FALSE(DecodePicture(bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(PictureBox, DamagedPictureTest, ::testing::ValuesIn(kDamages),
                         [](const auto& damage) { return std::string(damage.param.name); });

TEST(DecodePictureTest, TextThatIsNotAPictureGivesNoPicture) {
  const std::string text = "Drenvik: this is a text file, not a picture at all.";
  EXPECT_FALSE(
      DecodePicture({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}).has_value());
}

}  // namespace
}  // namespace quorvane::ui
