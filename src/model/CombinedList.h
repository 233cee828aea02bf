// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TangoList.h"

namespace norumi {

// A list merged from several files is saved to a file of its own, and its histories are that
// file's, never those of the first file merged. `saved` is that file as the last combined quiz
// left it (none when there is none). When it holds the same words in the same order, its
// histories go on whole: a drill resumes and "only the words answered wrongly" reads its marks.
// Otherwise its marks and question order belong to other words and start afresh; only its drill
// records, the past scores, are kept. The learner's name goes with the histories.
void TakeCombinedHistories(TTangoList& combined, const TTangoList* saved);

}  // namespace norumi
