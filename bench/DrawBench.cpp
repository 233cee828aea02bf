// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a line of Korean beside the raw limit measured in the same run: a white picture of the
// same size with as many pixels copied into it. The counter `x_raw` is the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BenchWords.h"
#include "hangul/core/Keyboard.h"
#include "hangul/view/Drawing.h"

namespace norumi::bench {
namespace {

// The raw limit of drawing a line: a white picture of the same size with every pixel copied in.
double RawLineSeconds(const QSize& size) {
  const std::vector<QRgb> pixels(size.width() * size.height(), 0xFF000000);
  constexpr int kRepeats = 1000;
  return BestOf(5,
                [&] {
                  for (int r = 0; r < kRepeats; ++r) {
                    QImage image(size, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    std::memcpy(image.bits(), pixels.data(), pixels.size() * sizeof(QRgb));
                    benchmark::DoNotOptimize(image.constBits());
                  }
                }) /
         kRepeats;
}

// At the screen's scale 1, and 2 (from the glyphs at twice the size: four times the pixels).
void BM_DrawLine(benchmark::State& state) {
  const QSize size(456, 24);  // the quiz and editor line: 19 cells
  const int scale = int(state.range(0));
  HangulCodes line;
  for (int i = 0; i < 19; ++i) line.push_back(0xAC00 + i * 587);  // a spread over the sheets
  line.push_back(0);
  benchmark::DoNotOptimize(DrawCodes(&line, size, scale));  // the pictures load on first use

  const double raw = RawLineSeconds(size * scale);

  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) benchmark::DoNotOptimize(DrawCodes(&line, size, scale));
  const double drawn = Seconds(std::chrono::steady_clock::now() - start) / state.iterations();
  state.counters["x_raw"] = drawn / raw;
  state.counters["raw_us"] = raw * 1e6;
}
BENCHMARK(BM_DrawLine)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A key press on the keyboard window, from the key to the redrawn line: the key composes into a
// full line of 22 cells (21 committed syllables and the pending one), which is drawn afresh.
void BM_KeyToLine(benchmark::State& state) {
  const QSize size(545, 24);  // the keyboard's own line
  TKeyboard keyboard;
  for (int i = 0; i < 21; ++i) keyboard.Codes.push_back(0xAC00 + i * 587);
  keyboard.AddKey(19);  // ㅎ pending: the next keys turn it into 하 and back
  HangulCodes line;
  keyboard.GetCodes(line);
  benchmark::DoNotOptimize(DrawCodes(&line, size));

  const double raw = RawLineSeconds(size);

  bool vowel = true;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (vowel)
      keyboard.AddKey(50);
    else
      keyboard.BackSpace();
    vowel = !vowel;
    keyboard.GetCodes(line);
    benchmark::DoNotOptimize(DrawCodes(&line, size));
  }
  const double pressed = Seconds(std::chrono::steady_clock::now() - start) / state.iterations();
  state.counters["x_raw"] = pressed / raw;
  state.counters["raw_us"] = raw * 1e6;
}
BENCHMARK(BM_KeyToLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace norumi::bench
