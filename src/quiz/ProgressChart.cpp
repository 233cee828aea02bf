#include "quiz/ProgressChart.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

namespace norumi {

namespace {

const QColor kBar(91, 143, 208);
const QColor kLatest(232, 115, 26);
const QColor kGrid(200, 200, 200);
const QColor kText(64, 64, 64);

constexpr int kLabelWidth = 36;    // "100%" at the left of the bars
constexpr int kHeaderHeight = 16;  // the heading and the latest rate above them
constexpr int kWidestBar = 24;     // a short history still reads as single drills

QRectF BarArea(const QRect& area) {
  // Below the bars, room for the lower half of the "0%" label.
  return QRectF(area).adjusted(kLabelWidth, kHeaderHeight, -4, -7);
}

void PaintScale(QPainter& painter, const QRect& area, const QRectF& bars) {
  for (int rate : {0, 50, 100}) {
    const double y = bars.bottom() - bars.height() * rate / 100.0;
    painter.setPen(kGrid);
    painter.drawLine(QPointF(bars.left(), y), QPointF(bars.right(), y));
    painter.setPen(kText);
    const QRectF label(area.left(), y - 6, kLabelWidth - 4, 12);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(rate) + "%");
  }
}

void PaintBars(QPainter& painter, const QRectF& bars, const std::vector<TRireki>& records) {
  const double step = std::min(bars.width() / double(records.size()), double(kWidestBar));
  // A gap keeps neighbouring drills apart while they are wide enough to spare it.
  const double gap = step >= 4 ? 1 : 0;
  painter.setPen(Qt::NoPen);
  for (size_t i = 0; i < records.size(); ++i) {
    const double height = bars.height() * DrillRate(records[i]) / 100.0;
    painter.setBrush(i + 1 == records.size() ? kLatest : kBar);
    painter.drawRect(QRectF(bars.left() + step * double(i), bars.bottom() - height,
                            std::max(step - gap, 1.0), height));
  }
}

}  // namespace

int DrillRate(const TRireki& record) {
  if (record.Total <= 0) return 0;
  return int(std::clamp<int64_t>(int64_t(record.Seikai) * 100 / record.Total, 0, 100));
}

void PaintProgressChart(QPainter& painter, const QRect& area, const std::vector<TRireki>& records) {
  if (records.empty()) return;
  painter.save();
  painter.setClipRect(area);
  QFont font = painter.font();
  font.setPixelSize(10);
  painter.setFont(font);

  const QRectF bars = BarArea(area);
  PaintScale(painter, area, bars);
  PaintBars(painter, bars, records);

  const QRectF header(bars.left(), area.top(), bars.width(), kHeaderHeight - 2);
  painter.setPen(kText);
  painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正解率の推移"));
  painter.setPen(kLatest);
  painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("最新 %1%").arg(DrillRate(records.back())));
  painter.restore();
}

QImage ProgressChartImage(const std::vector<TRireki>& records, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintProgressChart(painter, image.rect(), records);
  return image;
}

}  // namespace norumi
