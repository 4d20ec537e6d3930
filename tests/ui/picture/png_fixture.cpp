#include "tests/ui/picture/png_fixture.h"

#include "ui/picture/picture_asset.h"

#include <zlib.h>

#include <algorithm>
#include <string>

namespace quorvane::ui::testing {
namespace {

std::uint32_t ReadBigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
         std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

std::uint32_t Crc(const std::uint8_t* bytes, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), bytes, static_cast<uInt>(size)));
}

void AppendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                 const std::vector<std::uint8_t>& data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  AppendBigEndian(out, Crc(out.data() + start, out.size() - start));
}

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

std::vector<PngChunk> ReadChunks(const std::vector<std::uint8_t>& png) {
  std::vector<PngChunk> chunks;
  if (png.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin())) {
    return {};
  }
  std::size_t at = 8;
  while (at < png.size()) {
    if (png.size() - at < 12) {
      return {};
    }
    const std::uint32_t length = ReadBigEndian(png, at);
    if (png.size() - at - 12 < length) {
      return {};
    }
    PngChunk chunk;
    chunk.offset = at;
    chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    chunk.crcMatches = Crc(png.data() + at + 4, length + 4) == ReadBigEndian(png, at + 8 + length);
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  return chunks;
}

std::vector<std::uint8_t> MakePng(int width, int height, int colourType,
                                  const std::vector<std::uint8_t>& pixels) {
  const std::size_t channels = colourType == 6 ? 4 : 3;
  const std::size_t rowSize = static_cast<std::size_t>(width) * channels;
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    const auto row =
        pixels.begin() + static_cast<std::ptrdiff_t>(rowSize * static_cast<std::size_t>(y));
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowSize));
  }
  std::vector<std::uint8_t> compressed(compressBound(static_cast<uLong>(raw.size())));
  uLongf compressedSize = static_cast<uLongf>(compressed.size());
  compress(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()));
  compressed.resize(compressedSize);

  std::vector<std::uint8_t> header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, static_cast<std::uint8_t>(colourType), 0, 0, 0});

  std::vector<std::uint8_t> png(std::begin(kSignature), std::end(kSignature));
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", compressed);
  AppendChunk(png, "IEND", {});
  return png;
}

std::vector<std::uint8_t> AssetBytes() {
  const auto bytes = PictureAssetBytes();
  return {bytes.begin(), bytes.end()};
}

}  // namespace quorvane::ui::testing
