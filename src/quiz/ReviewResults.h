// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "quiz/ReviewChart.h"

class QLabel;
class QPushButton;

namespace norumi {

// What the end of the day's review has to show.
struct ReviewSummary {
  int answered = 0;  // today's answers in the review
  int right = 0;     // of those
  ReviewDays days;   // the next 30 days' due counts, the last 30 days' answers (today last)
};

// "今日の復習の結果": how many words today's review asked and the share answered right, and
// the chart of the coming and the past days.
class TfrmReviewResults : public TForm {
  Q_OBJECT

 public:
  explicit TfrmReviewResults(Services& services);

  void ShowResults(const ReviewSummary& summary);

  QWidget* pnlScore;  // holds the four labels of the score, read as one
  QLabel* Label1;
  QLabel* lbCount;
  QLabel* Label2;
  QLabel* lbShare;
  QLabel* imChart;
  QPushButton* btClose;

 public slots:
  void btCloseClick();
};

extern TfrmReviewResults* frmReviewResults;

}  // namespace norumi
