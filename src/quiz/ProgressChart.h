// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "model/Rireki.h"

class QPainter;
class QRect;

namespace norumi {

// The size of the chart in the results window, and of the picture wbk writes.
inline constexpr QSize kProgressChartSize(240, 110);

// The rate of right answers of one drill, truncated as the results list shows it, within 0 to
// 100 also for a record a damaged file made up.
int DrillRate(const TRireki& record);

// Draws the rate of every drill in `records`, oldest at the left, the latest marked, inside
// `area` and nowhere else, its text in the painter's font. Without a record the area is left as
// it is.
void PaintProgressChart(QPainter& painter, const QRect& area, const std::vector<TRireki>& records);

// The chart as a picture of `size` on a white ground, its text in `font`, drawn for a screen of
// `devicePixelRatio` (the picture has that many pixels per unit of `size`); blank without a
// record. Text needs a QGuiApplication.
QImage ProgressChartImage(const std::vector<TRireki>& records, QSize size = kProgressChartSize,
                          const QFont& font = QFont(), qreal devicePixelRatio = 1);

// The chart in words, for a screen reader: "正解率の推移：100%, 33%, 66%。最新 66%".
QString ProgressChartText(const std::vector<TRireki>& records);

}  // namespace norumi
