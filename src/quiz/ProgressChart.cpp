// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ProgressChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "quiz/ChartParts.h"

namespace norumi {

namespace {

const QColor kLatest(232, 115, 26);

constexpr int kWidestBar = 24;  // a short history still reads as single drills

const QString kHeading = QStringLiteral("正解率の推移");

QString Percent(int rate) {
  return QString::number(rate) + QLatin1Char('%');
}

// Where the parts go, from the size of the text: the scale's labels at the left of the bars,
// the heading and the latest rate above them.
struct ChartLayout {
  explicit ChartLayout(const QFontMetricsF& text)
      : labelWidth(std::max(36.0, std::ceil(text.horizontalAdvance(Percent(100))) + 6)),
        lineHeight(std::ceil(text.height())) {}
  double labelWidth, lineHeight;

  QRectF BarArea(const QRect& area) const {
    // Below the bars, room for the lower half of the "0%" label.
    return QRectF(area).adjusted(labelWidth, lineHeight + 2, -4, -std::ceil(lineHeight / 2));
  }
};

void PaintScale(QPainter& painter, const QRect& area, const QRectF& bars,
                const ChartLayout& layout) {
  for (int rate : {0, 50, 100}) {
    const double y = bars.bottom() - bars.height() * rate / 100.0;
    painter.setPen(kChartGrid);
    painter.drawLine(QPointF(bars.left(), y), QPointF(bars.right(), y));
    painter.setPen(kChartText);
    const QRectF label(area.left(), y - layout.lineHeight / 2, layout.labelWidth - 4,
                       layout.lineHeight);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, Percent(rate));
  }
}

void PaintBars(QPainter& painter, const QRectF& bars, const std::vector<TRireki>& records) {
  const double step = std::min(bars.width() / double(records.size()), double(kWidestBar));
  // A gap keeps neighbouring drills apart while they are wide enough to spare it.
  const double gap = step >= 4 ? 1 : 0;
  painter.setPen(Qt::NoPen);
  for (size_t i = 0; i < records.size(); ++i) {
    const double height = bars.height() * DrillRate(records[i]) / 100.0;
    painter.setBrush(i + 1 == records.size() ? kLatest : kChartBar);
    painter.drawRect(QRectF(bars.left() + step * double(i), bars.bottom() - height,
                            std::max(step - gap, 1.0), height));
  }
}

}  // namespace

int DrillRate(const TRireki& record) {
  return SharePercent(record.Seikai, record.Total);
}

void PaintProgressChart(QPainter& painter, const QRect& area, const std::vector<TRireki>& records) {
  if (records.empty()) return;
  painter.save();
  painter.setClipRect(area);
  const ChartLayout layout(QFontMetricsF(painter.font(), painter.device()));

  const QRectF bars = layout.BarArea(area);
  PaintScale(painter, area, bars, layout);
  PaintBars(painter, bars, records);

  const QRectF header(bars.left(), area.top(), bars.width(), layout.lineHeight);
  painter.setPen(kChartText);
  painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, kHeading);
  painter.setPen(kLatest);
  painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("最新 ") + Percent(DrillRate(records.back())));
  painter.restore();
}

QImage ProgressChartImage(const std::vector<TRireki>& records, QSize size, const QFont& font,
                          qreal devicePixelRatio) {
  QImage image(size * devicePixelRatio, QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  PaintProgressChart(painter, QRect(QPoint(0, 0), size), records);
  return image;
}

QString ProgressChartText(const std::vector<TRireki>& records) {
  if (records.empty()) return kHeading + QStringLiteral("：記録なし");
  QStringList rates;
  for (const TRireki& record : records) rates << Percent(DrillRate(record));
  return kHeading + QStringLiteral("：") + rates.join(QStringLiteral(", ")) +
         QStringLiteral("。最新 ") + rates.last();
}

}  // namespace norumi
