// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Pronunciation.h"

namespace norumi {

SaidForms PronunciationOf(CodeView word) {
  return {word.Shown().ToCodes(), {}, {}};
}

}  // namespace norumi
