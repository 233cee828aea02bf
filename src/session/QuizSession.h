// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/TangoList.h"
#include "review/CardMemory.h"

namespace norumi {

enum class QuizDirection { KoreanToJapanese, JapaneseToKorean };

// One answer as the spaced review counts it, given when the learner leaves the word.
struct ReviewedAnswer {
  const TTango& word;
  int32_t index;  // of the word in the list; -1 for a word received alone
  QuizDirection direction;
  review::Rating rating;
  int64_t time;      // when it was judged, seconds since 1970
  int32_t answerMs;  // from the word shown to the answer judged
};

// The history a direction's drill is kept in.
TRirekiList& HistoryOf(TTangoList& list, QuizDirection direction);

// One quiz as the learner walks it, apart from the window that shows it: the word asked, its
// judgement and mark, and the step to the next word. In quiz mode it walks the drill stored in
// the direction's history of the list (the caller's, which it changes and the caller saves),
// from the history's resume point; in single-word mode it asks one entry and records nothing;
// in one-word mode it asks one word of the list, judged as in a drill, and records nothing in
// the list (the spaced review asks its words so). Every answer also goes, as the learner leaves
// the word, to whoever takes the session's reviews.
//
// Asking --Judge--> Judged --Next--> Asking ... --Next--> Finished
// A drill with nothing left to ask (closed right after its last answer, or with no word chosen)
// is Finished from the start, its record made: a missing word is never judged or recorded.
class QuizSession {
 public:
  enum class State { Asking, Judged, Finished };
  // Which word of the list one-word mode asks.
  struct OneWord {
    int32_t index;
  };

  QuizSession(TTangoList& list, QuizDirection direction);
  QuizSession(TTangoList& list, QuizDirection direction, const TTango& entry);
  QuizSession(TTangoList& list, QuizDirection direction, OneWord word);
  ~QuizSession();
  QuizSession(const QuizSession&) = delete;
  QuizSession& operator=(const QuizSession&) = delete;

  State Current() const { return state_; }
  bool Single() const { return single_ != nullptr; }
  // The learner rates right answers: a word the spaced review asks (one-word mode).
  bool Rates() const { return oneWord_; }
  // A drill of the list's history, as opposed to one word asked alone.
  bool Drill() const { return !single_ && !oneWord_; }
  QuizDirection Direction() const { return direction_; }
  TTangoList& List() const { return list_; }
  // The drill's history; none unless a drill.
  TRirekiList* History() const { return Drill() ? &history_ : nullptr; }
  // The word's place in the history's question order.
  int32_t Position() const { return position_; }
  // The word asked or just judged; none once finished.
  const TTango* Word() const;

  // Judges an answer to the word asked and marks it in the drill. `meanwhile` runs between the
  // verdict and its mark, the session already Judged: the learner sees the mark and reads the
  // explanation while the word still counts as unanswered. Only a word being asked is judged:
  // anything else returns false and changes nothing.
  using Meanwhile = std::function<void(bool right)>;
  // A meaning typed in CP932 (none: text no word file can hold, never right).
  bool JudgeMeaning(const std::optional<std::string>& answer, const Meanwhile& meanwhile = {});
  bool JudgeKorean(const HangulCodes& answer, const Meanwhile& meanwhile = {});
  bool Right() const { return right_; }
  // Whether the list's commentary setting explains the judgement just made.
  bool WantsExplanation() const;
  // "正解にする": an answer judged wrong that was an answer at all (`answered`) may be counted
  // as right, except in a file its teacher made read-only, where the file's words are final.
  bool OffersMarkRight(bool answered) const;
  // Counts the wrong answer just judged as right; false when there is none to count.
  bool MarkRight();

  // The right answer: the meanings of every entry with the word's Korean, or the Korean words
  // of every entry with its meaning (the entry alone in single-word mode).
  std::string AnswerMeanings() const;
  HangulCodes AnswerKorean() const;

  // How the spaced review rates the answer judged: Again when wrong, else Good unless the
  // learner changed it. Only a right answer's rating changes, to any of the four.
  review::Rating Rating() const { return rating_; }
  bool Rate(review::Rating rating);

  // Moves on to the next word still to be asked and returns true; with none left the drill is
  // finished and recorded (only a drill records) and it returns false.
  bool Next();
  // The answer of a word judged but not left (the window closed on it) goes to the reviews now;
  // the destructor does the same.
  void Settle();

  // Takes every answer as the learner leaves its word, for the spaced review.
  using ReviewTaker = std::function<void(const ReviewedAnswer&)>;
  void TakeReviews(ReviewTaker taker) { taker_ = std::move(taker); }

 private:
  // Stands on the next word to ask from `position_`, or finishes.
  void Ask();
  bool Judge(bool right, const Meanwhile& meanwhile);

  TTangoList& list_;
  TRirekiList& history_;
  QuizDirection direction_;
  const TTango* single_ = nullptr;
  bool oneWord_ = false;
  int32_t position_ = 0;
  int32_t index_ = -1;  // of the word in the list, in quiz and one-word mode
  State state_ = State::Asking;
  bool right_ = false;
  review::Rating rating_ = review::Rating::Again;
  std::chrono::steady_clock::time_point shown_;
  int64_t judgedAt_ = 0;
  int32_t answerMs_ = 0;
  bool reviewDue_ = false;  // a judged answer not yet handed to `taker_`
  ReviewTaker taker_;
};

}  // namespace norumi
