// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/QuizSession.h"

#include <algorithm>
#include <climits>

#include "session/Judge.h"

namespace norumi {

TRirekiList& HistoryOf(TTangoList& list, QuizDirection direction) {
  return direction == QuizDirection::KoreanToJapanese ? list.RirekiKor2Jap : list.RirekiJap2Kor;
}

QuizSession::QuizSession(TTangoList& list, QuizDirection direction)
    : list_(list),
      history_(HistoryOf(list, direction)),
      direction_(direction),
      position_(history_.Position) {
  Ask();
}

QuizSession::QuizSession(TTangoList& list, QuizDirection direction, const TTango& entry)
    : list_(list),
      history_(HistoryOf(list, direction)),
      direction_(direction),
      single_(&entry),
      shown_(std::chrono::steady_clock::now()) {}

QuizSession::QuizSession(TTangoList& list, QuizDirection direction, OneWord word)
    : list_(list),
      history_(HistoryOf(list, direction)),
      direction_(direction),
      oneWord_(true),
      index_(word.index),
      shown_(std::chrono::steady_clock::now()) {
  if (index_ < 0 || index_ >= list_.Count()) {
    index_ = -1;
    state_ = State::Finished;
  }
}

QuizSession::~QuizSession() {
  try {
    Settle();
  } catch (...) {
    // The reviews' taker keeps its failures to itself; a quiz ends whatever it does.
  }
}

const TTango* QuizSession::Word() const {
  if (state_ == State::Finished) return nullptr;
  if (single_) return single_;
  return &list_.Tango(index_);
}

void QuizSession::Ask() {
  shown_ = std::chrono::steady_clock::now();
  // NextQuestion keeps the position reached as the resume point, so that a quiz closed now
  // starts here next time.
  index_ = history_.NextQuestion(position_, false);
  right_ = false;
  // A damaged history may name a word the list does not hold: the drill ends there.
  if (index_ >= 0 && index_ < list_.Count()) {
    state_ = State::Asking;
    return;
  }
  index_ = -1;
  state_ = State::Finished;
  history_.FinishDrill();
}

bool QuizSession::Judge(bool right, const Meanwhile& meanwhile) {
  if (!reviewDue_) {
    // The answer's time is its first judgement's: counting it right later is no new answer.
    using namespace std::chrono;
    judgedAt_ = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    const auto spent = duration_cast<milliseconds>(steady_clock::now() - shown_).count();
    answerMs_ = int32_t(std::min<int64_t>(spent, INT32_MAX));
  }
  right_ = right;
  rating_ = right ? review::Rating::Good : review::Rating::Again;
  reviewDue_ = true;
  state_ = State::Judged;
  if (meanwhile) meanwhile(right);
  if (Drill()) history_.MarkAnswer(position_, right);
  return right;
}

bool QuizSession::JudgeMeaning(const std::optional<std::string>& answer,
                               const Meanwhile& meanwhile) {
  if (state_ != State::Asking) return false;
  const TTango& word = *Word();
  // One word received alone is judged by its own meaning; a word of a drill by the meanings of
  // every entry that shows the same Korean word.
  const bool right =
      answer && (single_ ? MeaningAccepts(word, *answer) : IsRightMeaning(list_, word, *answer));
  return Judge(right, meanwhile);
}

bool QuizSession::JudgeKorean(const HangulCodes& answer, const Meanwhile& meanwhile) {
  if (state_ != State::Asking) return false;
  const TTango& word = *Word();
  return Judge(single_ ? IsSameKorean(answer, word.Hangul) : IsRightKorean(list_, word, answer),
               meanwhile);
}

bool QuizSession::WantsExplanation() const {
  // Commentary mode 0 explains after every answer, 1 only after a wrong one, any other never.
  return state_ == State::Judged && (list_.Kaisetsu == 0 || (list_.Kaisetsu == 1 && !right_));
}

bool QuizSession::OffersMarkRight(bool answered) const {
  return state_ == State::Judged && !right_ && answered && !list_.ReadOnly;
}

bool QuizSession::MarkRight() {
  if (state_ != State::Judged || right_ || list_.ReadOnly) return false;
  Judge(true, {});
  return true;
}

std::string QuizSession::AnswerMeanings() const {
  const TTango* word = Word();
  if (!word) return {};
  return single_ ? word->Japan : norumi::AnswerMeanings(list_, *word);
}

HangulCodes QuizSession::AnswerKorean() const {
  const TTango* word = Word();
  if (!word) return {};
  return single_ ? word->Hangul : norumi::AnswerKorean(list_, *word);
}

bool QuizSession::Rate(review::Rating rating) {
  if (!Rates() || state_ != State::Judged || !right_) return false;
  rating_ = rating;
  return true;
}

void QuizSession::Settle() {
  if (!reviewDue_) return;
  reviewDue_ = false;
  if (taker_) taker_({*Word(), single_ ? -1 : index_, direction_, rating_, judgedAt_, answerMs_});
}

bool QuizSession::Next() {
  if (state_ == State::Finished) return false;
  Settle();
  if (!Drill()) {
    state_ = State::Finished;
    return false;
  }
  ++position_;
  Ask();
  return state_ == State::Asking;
}

}  // namespace norumi
