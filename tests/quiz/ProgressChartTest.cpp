// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>

#include "quiz/ProgressChart.h"
#include "quiz/ReviewChart.h"

namespace norumi {
namespace {

const QRgb kOutside = qRgb(255, 0, 255);
const QRgb kLatest = qRgb(232, 115, 26);

TEST(ProgressChart, RatesAreTruncatedAndKeptWithinTheChart) {
  struct Row {
    TRireki record;
    int rate;
  };
  for (const Row& row :
       {Row{{3, 2}, 66}, Row{{10, 7}, 70}, Row{{0, 0}, 0},
        // what only a damaged file holds
        Row{{3, 5}, 100}, Row{{-1, 3}, 0}, Row{{10, -2}, 0}, Row{{INT32_MAX, INT32_MAX}, 100}})
    EXPECT_EQ(DrillRate(row.record), row.rate) << row.record.Seikai << "/" << row.record.Total;
}

TEST(ProgressChart, DrawsEveryDrillInsideItsAreaAndMarksTheLatest) {
  struct Row {
    int drills;
    int latestFrom, latestTo;  // where the latest drill's bar may lie, across the area
  };
  const QRect area(QPoint(20, 15), kProgressChartSize);
  for (const Row& row : {Row{0, 0, 0}, Row{1, 36, 80}, Row{40, 200, 240}}) {
    SCOPED_TRACE(row.drills);
    std::vector<TRireki> records;
    for (int i = 0; i < row.drills; ++i) records.push_back({10, 10 - i % 7});
    if (!records.empty()) records.back().Seikai = 10;
    QImage canvas(area.size() + QSize(40, 30), QImage::Format_RGB32);
    canvas.fill(kOutside);
    {
      QPainter painter(&canvas);
      painter.fillRect(area, Qt::white);
      PaintProgressChart(painter, area, records);
    }
    int changed = 0, latestLeft = area.width(), latestRight = -1;
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const QRgb pixel = canvas.pixel(x, y);
        if (!area.contains(x, y)) {
          ASSERT_EQ(pixel, kOutside) << "drawn outside at " << x << "," << y;
        } else if (pixel != qRgb(255, 255, 255)) {
          ++changed;
          // Low in the chart, below any text, the latest drill's colour is its bar.
          if (pixel == kLatest && y >= area.top() + area.height() / 2) {
            latestLeft = std::min(latestLeft, x - area.left());
            latestRight = std::max(latestRight, x - area.left());
          }
        }
      }
    if (row.drills == 0) {
      EXPECT_EQ(changed, 0);
      EXPECT_EQ(ProgressChartImage(records).pixel(10, 10), qRgb(255, 255, 255));
    } else {
      EXPECT_GE(latestLeft, row.latestFrom);
      EXPECT_LE(latestRight, row.latestTo);
      EXPECT_LT(latestLeft, latestRight);
    }
    EXPECT_EQ(ProgressChartImage(records).size(), kProgressChartSize);
  }
}

// On a screen scaled by 2 the chart is drawn with twice the pixels, not enlarged from 1: some
// 2 × 2 square differs within itself.
TEST(ProgressChart, DrawnAtTheScreensPixelRatio) {
  const QImage chart = ProgressChartImage({{3, 1}, {3, 2}}, kProgressChartSize, QFont(), 2);
  ASSERT_EQ(chart.size(), kProgressChartSize * 2);
  EXPECT_EQ(chart.devicePixelRatio(), 2);
  bool finer = false;
  for (int y = 0; y < chart.height(); y += 2)
    for (int x = 0; x < chart.width(); x += 2)
      finer |= chart.pixel(x, y) != chart.pixel(x + 1, y + 1);
  EXPECT_TRUE(finer);
}

// The review's chart stays inside its area and says in words what it draws, whatever counts a
// damaged log makes up: negative ones count as none, right ones never exceed the answers.
TEST(ReviewChart, DrawnInsideItsAreaAndSaidInWords) {
  struct Row {
    ReviewDays days;
    const char* text;
  };
  const Row rows[] = {
      {{{}, {}, {}}, "これから0日の復習 0語。この0日の復習 0回"},
      {{{5, 2, 9}, {4, 0, 6}, {4, 0, 3}},
       "これから3日の復習 16語（明日 5語、最多 9語）。この3日の復習 10回、正解率 70%"},
      {{{-3, 1}, {2, -1}, {7, 5}},
       "これから2日の復習 1語（明日 0語、最多 1語）。この2日の復習 2回、正解率 100%"},
  };
  const QRect area(QPoint(20, 15), kReviewChartSize);
  for (const Row& row : rows) {
    EXPECT_EQ(ReviewChartText(row.days), QString::fromUtf8(row.text));
    QImage canvas(area.size() + QSize(40, 30), QImage::Format_RGB32);
    canvas.fill(kOutside);
    {
      QPainter painter(&canvas);
      PaintReviewChart(painter, area, row.days);
    }
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        if (!area.contains(x, y)) {
          ASSERT_EQ(canvas.pixel(x, y), kOutside) << x << "," << y;
        }
  }
}

}  // namespace
}  // namespace norumi
