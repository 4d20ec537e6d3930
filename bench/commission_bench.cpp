#include <benchmark/benchmark.h>

#include <string>

#include "calc/commission.h"

namespace quorvane {
namespace {

// A form answering from fixed selections and texts, as cheaply as possible, so that the
// benchmark measures the command itself.
class FixedForm final : public FormAccess {
 public:
  explicit FixedForm(bool s4ToS7) : s4ToS7_(s4ToS7) {}

  bool IsChecked(Control radioButton) override {
    switch (radioButton) {
      case Control::单选框5:
      case Control::单选框7:
      case Control::单选框3:
        return true;
      case Control::单选框1:
        return !s4ToS7_;
      case Control::单选框2:
        return s4ToS7_;
      default:
        return false;
    }
  }
  std::string GetText(Control editBox) override {
    switch (editBox) {
      case Control::编辑框1:
        return "10";
      case Control::编辑框2:
        return "100";
      default:
        return "50";
    }
  }
  void SetText(Control, std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
  int ShowMessage(std::string_view, unsigned, std::string_view) override { return 0; }

 private:
  bool s4ToS7_;
};

void BM_OnCalculateClicked(benchmark::State& state) {
  FixedForm form(state.range(0) != 0);
  for (auto _ : state) {
    OnCalculateClicked(form);
  }
}
BENCHMARK(BM_OnCalculateClicked)->ArgName("s4_s7")->Arg(0)->Arg(1);

}  // namespace
}  // namespace quorvane
