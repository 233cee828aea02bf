// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempDir.h"
#include "WbkRunner.h"

#ifdef NORUMI_WBK_DRAW
#include <QImage>
#endif

namespace norumi::test {
namespace {

#ifdef NORUMI_WBK_DRAW
TEST(WbkProgress, WritesTheChartOfTheChosenHistoryAsPng) {
  TempDir dir;
  TTangoList list;
  for (int i = 0; i < 40; ++i) list.RirekiKor2Jap.AddRecord({10, i % 11});
  list.SaveToFile(dir / "lesson.wbk");
  const auto png = dir / "chart.png";

  const WbkRun run = RunWbk({"progress", Arg(dir / "lesson.wbk"), "--png", Arg(png)});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(png).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const QImage chart(FromPath(png));
  EXPECT_EQ(chart.size(), QSize(240, 110));
  EXPECT_NE(chart.pixel(chart.width() - 8, chart.height() - 8), qRgb(255, 255, 255));

  // The other direction has no finished drill: a blank picture of the same size.
  ASSERT_EQ(
      RunWbk({"progress", Arg(dir / "lesson.wbk"), "--png", Arg(png), "--direction", "jap2kor"})
          .status,
      0);
  const QImage blank(FromPath(png));
  EXPECT_EQ(blank.size(), QSize(240, 110));
  QImage white(blank.size(), QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_EQ(blank.convertToFormat(QImage::Format_RGB32), white);

  struct Row {
    QStringList args;
    int status;
  };
  WriteBytes(dir / "damaged.wbk", ReadBytes(dir / "lesson.wbk").substr(0, 40));
  for (const Row& row :
       {Row{{"progress", Arg(dir / "lesson.wbk")}, 2},
        Row{{"progress", Arg(dir / "lesson.wbk"), "--png", Arg(png), "--direction", "both"}, 2},
        Row{{"progress", Arg(dir / "none.wbk"), "--png", Arg(png)}, 1},
        Row{{"progress", Arg(dir / "damaged.wbk"), "--png", Arg(png)}, 1}})
    EXPECT_EQ(RunWbk(row.args).status, row.status) << row.args.join(' ').toStdString();
}
#endif

}  // namespace
}  // namespace norumi::test
