// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace norumi::wbk {

// The parts of "wbk review" that read and tidy the review record of a word folder; the
// arguments begin with the part's own name. Each returns the exit status, or throws
// UsageError (2) or Failure (1) as every command does.

// "status --learner NAME [--folder DIR] [--json]": per word file, its words and, in each
// direction, the cards due today, the words without a card and the cards reviewed today.
int RunReviewStatus(const std::vector<std::string>& args);
// "--prune [--learner NAME] [--folder DIR]": removes the cards and answers of word files that
// are no longer in the folder, of one learner or of all.
int RunReviewPrune(const std::vector<std::string>& args);

}  // namespace norumi::wbk
