// SPDX-License-Identifier: GPL-3.0-or-later
#include "WbkRunner.h"

namespace norumi::test {
namespace {

TEST(WbkReview, ReplayPrintsTheSchedulersViewOfEachAnswer) {
  struct Row {
    QStringList args;
    std::string log;
    int status;
    std::string out, errPart;
  } const rows[] = {
      // Cards interleave, and each keeps its own days: 학교 starts on day 1 after 사랑's day 2.
      {{"--no-fuzz"},
       "사랑\t0\t3\n사랑\t2\t3\r\n학교\t1\t1\n",
       0,
       "card\tday\trating\tdifficulty\tstability\tretrievability\tinterval\n"
       "사랑\t0\t3\t2.1181\t2.3065\t\t2\n"
       "사랑\t2\t3\t2.1112\t10.9643\t0.9095\t11\n"
       "학교\t1\t1\t6.4133\t0.2120\t\t1\n",
       ""},
      {{}, "사랑\t5\t3\n학교\t0\t3\n사랑\t4\t3\n", 1, "", "line 3: day 4 comes before"},
      {{"--retention", "0.5"}, "사랑\t0\t3\n", 2, "", "--retention"},
  };
  for (const Row& row : rows) {
    const WbkRun run = RunWbk(QStringList{"review", "replay", "-"} + row.args, row.log);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(run.out, row.out);
    EXPECT_NE(run.err.find(row.errPart), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace norumi::test
