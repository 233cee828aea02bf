// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <algorithm>
#include <cstdint>

namespace norumi {

// What the results windows and their charts share: the colours and the share right.

inline const QColor kChartBar(91, 143, 208);
inline const QColor kChartGrid(200, 200, 200);
inline const QColor kChartText(64, 64, 64);

// The share of `answers` that were right, in percent: truncated, never rounded (2 of 3 is 66),
// 0 without an answer, and within 0 to 100 whatever the counts.
inline int SharePercent(int right, int answers) {
  return answers > 0 ? int(int64_t(std::clamp(right, 0, answers)) * 100 / answers) : 0;
}

}  // namespace norumi
