// TextToNumber and NumberToText side by side with the C library calls they stand in for,
// strtod and snprintf("%.13g"), on the same inputs.

#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calc/numeric_text.h"

namespace {

// What the edit boxes hold: prices, rates, counts, the odd exponent and full-width digits
// ("１２．５" in code page 936).
const std::vector<std::string>& PriceTexts() {
  static const std::vector<std::string> texts = {
      "12.5", "0.028", "100", "1e20", "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", "2145.5", "0.0648", "3",
  };
  return texts;
}

// Random doubles of every size written with 17 significant digits.
const std::vector<std::string>& SeventeenDigitTexts() {
  static const std::vector<std::string> texts = [] {
    std::mt19937_64 random(17);
    std::vector<std::string> result;
    while (result.size() < 1024) {
      const double value = std::bit_cast<double>(random());
      if (!std::isfinite(value)) {
        continue;
      }
      char text[32];
      const auto end =
          std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 16);
      result.emplace_back(text, end.ptr);
    }
    return result;
  }();
  return texts;
}

// What the commission comes to.
const std::vector<double>& CommissionValues() {
  static const std::vector<double> values = {299.16, 0.0648, 214.44, -0.0084,
                                             60.06,  1234.5, 0.15,   48769437889.945};
  return values;
}

const std::vector<double>& RandomValues() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(13);
    std::vector<double> result;
    while (result.size() < 1024) {
      const double value = std::bit_cast<double>(random());
      if (std::isfinite(value)) {
        result.push_back(value);
      }
    }
    return result;
  }();
  return values;
}

void ReadWithTextToNumber(benchmark::State& state, const std::vector<std::string>& texts) {
  for (auto _ : state) {
    for (const std::string& text : texts) {
      benchmark::DoNotOptimize(quorvane::TextToNumber(text));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}

void ReadWithStrtod(benchmark::State& state, const std::vector<std::string>& texts) {
  for (auto _ : state) {
    for (const std::string& text : texts) {
      benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}

void WriteWithNumberToText(benchmark::State& state, const std::vector<double>& values) {
  for (auto _ : state) {
    for (const double value : values) {
      quorvane::NumberText text = quorvane::NumberToText(value);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

void WriteWithSnprintf(benchmark::State& state, const std::vector<double>& values) {
  char text[32];
  for (auto _ : state) {
    for (const double value : values) {
      benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.13g", value));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

void BM_TextToNumber_Prices(benchmark::State& state) {
  ReadWithTextToNumber(state, PriceTexts());
}
void BM_Strtod_Prices(benchmark::State& state) {
  ReadWithStrtod(state, PriceTexts());
}
void BM_TextToNumber_17Digits(benchmark::State& state) {
  ReadWithTextToNumber(state, SeventeenDigitTexts());
}
void BM_Strtod_17Digits(benchmark::State& state) {
  ReadWithStrtod(state, SeventeenDigitTexts());
}

void BM_NumberToText_Commission(benchmark::State& state) {
  WriteWithNumberToText(state, CommissionValues());
}
void BM_Snprintf_Commission(benchmark::State& state) {
  WriteWithSnprintf(state, CommissionValues());
}
void BM_NumberToText_Random(benchmark::State& state) {
  WriteWithNumberToText(state, RandomValues());
}
void BM_Snprintf_Random(benchmark::State& state) {
  WriteWithSnprintf(state, RandomValues());
}

BENCHMARK(BM_TextToNumber_Prices);
BENCHMARK(BM_Strtod_Prices);
BENCHMARK(BM_TextToNumber_17Digits);
BENCHMARK(BM_Strtod_17Digits);
BENCHMARK(BM_NumberToText_Commission);
BENCHMARK(BM_Snprintf_Commission);
BENCHMARK(BM_NumberToText_Random);
BENCHMARK(BM_Snprintf_Random);

}  // namespace
