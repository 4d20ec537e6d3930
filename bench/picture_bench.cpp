// What the picture box does: one decode when it is created, and on every paint a fit and a
// composite of the whole 200 x 200 picture over the face colour (the stretch that follows is
// the platform's and is timed under Wine).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "ui/picture/picture.h"
#include "ui/picture/picture_asset.h"

namespace {

using quorvane::ui::CompositeOverBackground;
using quorvane::ui::DecodePicture;
using quorvane::ui::FitPicture;
using quorvane::ui::Picture;
using quorvane::ui::PictureAssetBytes;
using quorvane::ui::PictureDisplayMode;

constexpr std::uint32_t kFace = 0x00F0F0F0;

void BM_DecodePicture(benchmark::State& state) {
  for (auto _ : state) {
    auto picture = DecodePicture(PictureAssetBytes());
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_DecodePicture);

// The composite is made afresh for each paint, so its allocation is part of the cost.
void BM_CompositePicture(benchmark::State& state) {
  const Picture picture = *DecodePicture(PictureAssetBytes());
  for (auto _ : state) {
    std::vector<std::uint8_t> composite(picture.pixels.size());
    CompositeOverBackground(picture, kFace, composite);
    benchmark::DoNotOptimize(composite.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * picture.width * picture.height);
}
BENCHMARK(BM_CompositePicture);

// Worst case for the blend: every pixel half transparent.
void BM_CompositeAllTranslucent(benchmark::State& state) {
  Picture picture;
  picture.width = 200;
  picture.height = 200;
  picture.pixels.resize(200 * 200 * 4);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 1 + i % 253 : i * 7);
  }
  std::vector<std::uint8_t> composite(picture.pixels.size());
  for (auto _ : state) {
    CompositeOverBackground(picture, kFace, composite);
    benchmark::DoNotOptimize(composite.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * picture.width * picture.height);
}
BENCHMARK(BM_CompositeAllTranslucent);

void BM_FitPicture(benchmark::State& state) {
  int width = 200;
  for (auto _ : state) {
    benchmark::DoNotOptimize(width);
    auto rect = FitPicture(PictureDisplayMode::kFitCentred, 120, 128, width, 200);
    benchmark::DoNotOptimize(rect);
  }
}
BENCHMARK(BM_FitPicture);

}  // namespace
