// SPDX-License-Identifier: GPL-3.0-or-later
#include "Render.h"

#include <QImage>
#include <QPainter>

#include <bit>

namespace norumi::glyphgen {

int Bitmap::Ink() const {
  int n = 0;
  for (uint64_t row : rows) n += std::popcount(row);
  return n;
}

std::array<int, 4> Bitmap::Bounds() const {
  int left = kCanvas, top = kCanvas, right = 0, bottom = 0;
  for (int y = 0; y < kCanvas; ++y) {
    if (!rows[y]) continue;
    top = std::min(top, y);
    bottom = y + 1;
    left = std::min(left, std::countr_zero(rows[y]));
    right = std::max(right, 64 - std::countl_zero(rows[y]));
  }
  if (bottom == 0) return {0, 0, 0, 0};
  return {left, top, right, bottom};
}

namespace {

QImage Draw(char32_t c, const RenderSettings& s, int scale) {
  QFont font(s.family);
  font.setPixelSize(s.pixelSize * scale);
  font.setHintingPreference(s.hinting);
  font.setStyleStrategy(s.supersample == 0 ? QFont::NoAntialias : QFont::PreferAntialias);
  QImage canvas(kCanvas * scale, kCanvas * scale, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPoint(kCanvas / 4, kCanvas * 3 / 4) * scale, QString::fromUcs4(&c, 1));
  return canvas;
}

}  // namespace

Bitmap Render(char32_t c, const RenderSettings& s) {
  const int scale = std::max(1, s.supersample);
  const QImage canvas = Draw(c, s, scale);
  Bitmap out;
  for (int y = 0; y < kCanvas; ++y) {
    for (int x = 0; x < kCanvas; ++x) {
      int sum = 0;
      for (int dy = 0; dy < scale; ++dy) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y * scale + dy));
        for (int dx = 0; dx < scale; ++dx) sum += qGray(line[x * scale + dx]);
      }
      if (sum < s.threshold * scale * scale) out.rows[y] |= uint64_t(1) << x;
    }
  }
  return out;
}

}  // namespace norumi::glyphgen
