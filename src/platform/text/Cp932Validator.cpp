#include "platform/text/Cp932Validator.h"

#include "platform/text/Cp932.h"

namespace norumi {

QValidator::State Cp932Validator::validate(QString& input, int&) const {
  return FirstNonCp932(input) < 0 ? Acceptable : Invalid;
}

}  // namespace norumi
