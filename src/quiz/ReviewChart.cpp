// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ReviewChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace norumi {

namespace {

// The right answers' bars are the progress chart's; the rest of a day's answers are paler.
const QColor kWrong(200, 214, 232);

constexpr int kWidestBar = 16;

int Sum(const std::vector<int>& counts) {
  return std::accumulate(counts.begin(), counts.end(), 0,
                         [](int total, int count) { return total + std::max(count, 0); });
}

QString PastHeading(const ReviewDays& days) {
  const int answers = Sum(days.reviewed);
  QString text = QStringLiteral("この%1日の復習 %2回").arg(days.reviewed.size()).arg(answers);
  if (answers > 0)
    text += QStringLiteral("、正解率 %1%").arg(SharePercent(Sum(days.right), answers));
  return text;
}

QString AheadHeading(const ReviewDays& days) {
  return QStringLiteral("これから%1日の復習 %2語")
      .arg(days.dueAhead.size())
      .arg(Sum(days.dueAhead));
}

// One row of the chart: its heading, a base line, and a bar a day scaled to the largest count;
// `right`, when given, colours each day's right answers.
void PaintRow(QPainter& painter, const QRectF& row, double lineHeight, const QString& heading,
              const std::vector<int>& counts, const std::vector<int>* right) {
  painter.setPen(kChartText);
  painter.drawText(QRectF(row.left(), row.top(), row.width(), lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, heading);
  const QRectF bars = row.adjusted(0, lineHeight + 2, 0, 0);
  painter.setPen(kChartGrid);
  painter.drawLine(bars.bottomLeft(), bars.bottomRight());
  if (counts.empty()) return;
  const int largest = std::max(1, *std::max_element(counts.begin(), counts.end()));
  const double step = std::min(bars.width() / double(counts.size()), double(kWidestBar));
  const double gap = step >= 4 ? 1 : 0;
  painter.setPen(Qt::NoPen);
  for (size_t i = 0; i < counts.size(); ++i) {
    const int count = std::max(counts[i], 0);
    const double x = bars.left() + step * double(i), width = std::max(step - gap, 1.0);
    const double height = bars.height() * count / largest;
    painter.setBrush(right ? kWrong : kChartBar);
    painter.drawRect(QRectF(x, bars.bottom() - height, width, height));
    if (!right || i >= right->size()) continue;
    const double rightHeight = bars.height() * std::clamp((*right)[i], 0, count) / largest;
    painter.setBrush(kChartBar);
    painter.drawRect(QRectF(x, bars.bottom() - rightHeight, width, rightHeight));
  }
}

}  // namespace

void PaintReviewChart(QPainter& painter, const QRect& area, const ReviewDays& days) {
  painter.save();
  painter.setClipRect(area);
  const double lineHeight = std::ceil(QFontMetricsF(painter.font(), painter.device()).height());
  const QRectF whole = QRectF(area).adjusted(4, 2, -4, -2);
  const double half = (whole.height() - 6) / 2;
  PaintRow(painter, QRectF(whole.left(), whole.top(), whole.width(), half), lineHeight,
           AheadHeading(days), days.dueAhead, nullptr);
  PaintRow(painter, QRectF(whole.left(), whole.bottom() - half, whole.width(), half), lineHeight,
           PastHeading(days), days.reviewed, &days.right);
  painter.restore();
}

QImage ReviewChartImage(const ReviewDays& days, QSize size, qreal devicePixelRatio) {
  QImage image(size * devicePixelRatio, QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintReviewChart(painter, QRect(QPoint(0, 0), size), days);
  return image;
}

QString ReviewChartText(const ReviewDays& days) {
  QString text = AheadHeading(days);
  if (!days.dueAhead.empty()) {
    const int most = *std::max_element(days.dueAhead.begin(), days.dueAhead.end());
    text += QStringLiteral("（明日 %1語、最多 %2語）")
                .arg(std::max(days.dueAhead.front(), 0))
                .arg(std::max(most, 0));
  }
  return text + QStringLiteral("。") + PastHeading(days);
}

}  // namespace norumi
