// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>
#include <functional>

namespace norumi {

// Refuses characters that the word files' CP932 cannot hold, so that what the learner types is
// what gets stored. Without `dropped` a change that holds one is refused whole. With it, the
// change is kept without those characters, which are handed to `dropped` (each once, in order),
// so that a paste loses only what cannot be held and the window can say what went missing.
class Cp932Validator : public QValidator {
 public:
  using Dropped = std::function<void(const QString& characters)>;
  explicit Cp932Validator(QObject* parent, Dropped dropped = {});
  State validate(QString& input, int& pos) const override;

 private:
  Dropped dropped_;
};

}  // namespace norumi
