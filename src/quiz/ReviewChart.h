// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "quiz/ChartParts.h"

class QPainter;
class QRect;

namespace norumi {

// What the results of a review show of the days around today.
struct ReviewDays {
  std::vector<int> dueAhead;  // cards due on each coming day, tomorrow first
  std::vector<int> reviewed;  // answers on each past day, the oldest first and today last
  std::vector<int> right;     // of those, the right ones (as many days as `reviewed`)
};

// The size of the chart in the review's results window.
inline constexpr QSize kReviewChartSize(320, 150);

// Draws the coming days' due counts above, and the past days' answers below, each day's right
// ones in colour and its share right in the heading, inside `area` and nowhere else. Days
// without a count are left blank.
void PaintReviewChart(QPainter& painter, const QRect& area, const ReviewDays& days);

// The chart as a picture of `size` on a white ground, drawn for a screen of `devicePixelRatio`.
// Text needs a QGuiApplication.
QImage ReviewChartImage(const ReviewDays& days, QSize size = kReviewChartSize,
                        qreal devicePixelRatio = 1);

// The chart in words, for a screen reader.
QString ReviewChartText(const ReviewDays& days);

}  // namespace norumi
