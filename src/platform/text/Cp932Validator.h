#pragma once

#include <QValidator>

namespace norumi {

// Refuses characters that the word files' CP932 cannot hold, so that what the learner types is
// what gets stored.
class Cp932Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace norumi
