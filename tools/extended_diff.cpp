// Differential check of quorvane::Extended against the x87 FPU through long double.
//
//   extended_diff [operations [seed]]
//
// Runs the given number of operations (default 100000000), cycling through addition,
// subtraction, multiplication, conversion from and to double and the whole commission chain, on
// operands from the shared generator. Prints the first mismatches with their bit patterns and a
// summary line; exits with 1 if anything differed.

#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/extended.h"
#include "tests/calc/extended_operands.h"

#if defined(QUORVANE_HAVE_X87_REFERENCE)

int main(int argc, char** argv) {
  using namespace quorvane::extended_check;
  constexpr std::uint64_t kMismatchesShown = 10;
  const std::uint64_t operations = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 1;
  const X87ExtendedPrecision precision;  // see the class: Windows may start at 53-bit precision

  std::uint64_t counts[kOperationCount] = {};
  std::uint64_t mismatches[kOperationCount] = {};
  std::uint64_t total = 0;
  OperandGenerator generator(seed);
  std::string description;
  const auto start = std::chrono::steady_clock::now();
  for (std::uint64_t i = 0; i < operations; ++i) {
    const int index = static_cast<int>(i % kOperationCount);
    const Operation op = static_cast<Operation>(index);
    ++counts[index];
    description.clear();
    if (!CheckOnce(generator, op, &description)) {
      ++mismatches[index];
      if (++total <= kMismatchesShown) {
        std::printf("mismatch %s:%s\n", Name(op), description.c_str());
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (int index = 0; index < kOperationCount; ++index) {
    std::printf("%-11s %12" PRIu64 " operations %8" PRIu64 " mismatches\n",
                Name(static_cast<Operation>(index)), counts[index], mismatches[index]);
  }
  std::printf("extended_diff: %" PRIu64 " operations, %" PRIu64 " mismatches, seed %" PRIu64
              ", %.1f s\n",
              operations, total, seed, seconds);
  return total == 0 ? 0 : 1;
}

#else

int main() {
  std::printf("extended_diff: needs a compiler whose long double is the x87 80-bit format\n");
  return 2;
}

#endif
