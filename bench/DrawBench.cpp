// Drawing a line of Korean beside the raw limit measured in the same run: a white picture of the
// same size with as many pixels copied into it. The counter `x_raw` is the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchWords.h"
#include "hangul/view/Drawing.h"

namespace norumi::bench {
namespace {

void BM_DrawLine(benchmark::State& state) {
  const QSize size(456, 24);  // the quiz and editor line: 19 cells
  HangulCodes line;
  for (int i = 0; i < 19; ++i) line.push_back(0xAC00 + i * 587);  // a spread over the sheets
  line.push_back(0);
  benchmark::DoNotOptimize(DrawCodes(&line, size));  // the pictures load on first use

  const std::vector<QRgb> pixels(size.width() * size.height(), 0xFF000000);
  constexpr int kRepeats = 1000;
  const double raw =
      BestOf(5,
             [&] {
               for (int r = 0; r < kRepeats; ++r) {
                 QImage image(size, QImage::Format_RGB32);
                 image.fill(Qt::white);
                 std::memcpy(image.bits(), pixels.data(), pixels.size() * sizeof(QRgb));
                 benchmark::DoNotOptimize(image.constBits());
               }
             }) /
      kRepeats;

  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(DrawCodes(&line, size));
  const double drawn = Seconds(std::chrono::steady_clock::now() - start) / state.iterations();
  state.counters["x_raw"] = drawn / raw;
  state.counters["raw_us"] = raw * 1e6;
}
BENCHMARK(BM_DrawLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace norumi::bench
