// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/QuizSession.h"

#include "session/Judge.h"

namespace norumi {

TRirekiList& HistoryOf(TTangoList& list, QuizDirection direction) {
  return direction == QuizDirection::KoreanToJapanese ? list.RirekiKor2Jap : list.RirekiJap2Kor;
}

QuizSession::QuizSession(TTangoList& list, QuizDirection direction)
    : list_(list), history_(HistoryOf(list, direction)), position_(history_.Position) {
  Ask();
}

QuizSession::QuizSession(TTangoList& list, QuizDirection direction, const TTango& entry)
    : list_(list), history_(HistoryOf(list, direction)), single_(&entry) {}

const TTango* QuizSession::Word() const {
  if (state_ == State::Finished) return nullptr;
  if (single_) return single_;
  return &list_.Tango(index_);
}

void QuizSession::Ask() {
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
  right_ = right;
  state_ = State::Judged;
  if (meanwhile) meanwhile(right);
  if (!single_) history_.MarkAnswer(position_, right);
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

bool QuizSession::Next() {
  if (state_ == State::Finished) return false;
  if (single_) {
    state_ = State::Finished;
    return false;
  }
  ++position_;
  Ask();
  return state_ == State::Asking;
}

}  // namespace norumi
