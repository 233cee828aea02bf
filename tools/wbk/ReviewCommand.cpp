// SPDX-License-Identifier: GPL-3.0-or-later
// wbk review: the review scheduler from the command line, for checking what it makes of a
// learner's answers.
#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Cli.h"
#include "Commands.h"
#include "Subcommands.h"
#if NORUMI_REVIEW_RECORD
#include "ReviewStatus.h"
#endif
#include "review/Fsrs.h"

namespace norumi::wbk {
namespace {

using review::CardMemory;
using review::Rating;

constexpr int64_t kSecondsPerDay = 86400;
// The moment of day 0; any will do, since the scheduler only counts the days between reviews.
constexpr int64_t kLogStart = 1'000'000'000;
constexpr int64_t kMaxDay = 10'000'000;

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// A whole number from `low` to `high` that is all of `text`.
std::optional<int64_t> WholeNumber(std::string_view text, int64_t low, int64_t high) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

std::string Fixed(double value) {
  char digits[32];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4);
  return std::string(digits, end.ptr);
}

review::Scheduler SchedulerOf(const Args& args) {
  review::FsrsParameters parameters;
  parameters.fuzz = !args.Has("--no-fuzz");
  if (const auto value = args.Value("--retention")) {
    const char* first = value->data();
    const auto [end, error] =
        std::from_chars(first, first + value->size(), parameters.desiredRetention);
    if (error != std::errc() || end != first + value->size())
      throw UsageError("--retention takes a number such as 0.9");
  }
  try {
    return review::Scheduler(parameters);
  } catch (const std::invalid_argument& error) {
    throw UsageError("--retention: " + std::string(error.what()));
  }
}

int Replay(const std::vector<std::string>& raw) {
  const Args args(raw, {{"--no-fuzz", false}, {"--retention", true}}, 2, 2);
  const review::Scheduler scheduler = SchedulerOf(args);
  const std::string log = ReadInput(args.Positional()[1]);
  std::map<std::string, CardMemory, std::less<>> cards;
  std::string out = "card\tday\trating\tdifficulty\tstability\tretrievability\tinterval\n";
  std::string_view rest = log;
  for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const auto fields = Fields(line);
    if (fields.size() != 3)
      throw Failure(where + "a row is a card, a day and a rating, parted by tabs");
    if (fields[0].empty()) throw Failure(where + "the card is empty");
    const auto day = WholeNumber(fields[1], 0, kMaxDay);
    if (!day) throw Failure(where + "the day is a whole number from 0 to 10000000");
    const auto rating = WholeNumber(fields[2], 1, 4);
    if (!rating) throw Failure(where + "the rating is 1 (again), 2 (hard), 3 (good) or 4 (easy)");
    CardMemory& card = cards[std::string(fields[0])];
    const int64_t now = kLogStart + *day * kSecondsPerDay;
    if (!card.IsNew() && now < card.lastReview)
      throw Failure(where + "day " + std::to_string(*day) + " comes before this card's day " +
                    std::to_string((card.lastReview - kLogStart) / kSecondsPerDay));
    const std::string recall = card.IsNew() ? "" : Fixed(scheduler.Retrievability(card, now));
    const uint64_t seed = review::ReviewSeed(fields[0], card.reps);
    card = scheduler.Review(card, static_cast<Rating>(*rating), now, seed);
    out += EscapeControls(fields[0]) + "\t" + std::to_string(*day) + "\t" +
           std::to_string(*rating) + "\t" + Fixed(card.difficulty) + "\t" + Fixed(card.stability) +
           "\t" + recall + "\t" + std::to_string((card.due - now) / kSecondsPerDay) + "\n";
  }
  WriteOut(out);
  return 0;
}

const Subcommand kSubcommands[] = {
    {"replay", "replay LOG.tsv [--no-fuzz] [--retention R]",
     "Replays a log of answers through the scheduler and prints what it makes of\n"
     "the card after each. LOG.tsv (- for stdin) has rows of a card, the days since\n"
     "the log's first answer, and the rating: 1 again, 2 hard, 3 good, 4 easy. Rows\n"
     "of different cards may interleave; a card's first row is its first review, and\n"
     "its days never go back: a row on the day of its last is a same-day review.\n"
     "Prints TSV with a header: card, day, rating, difficulty (1 to 10), stability\n"
     "(days), retrievability (the chance of recall before the answer; empty for the\n"
     "first) and the next interval in days. --retention R: the chance of recall\n"
     "wanted on the day a card comes back (0.70 to 0.97; 0.90 by default).\n"
     "Intervals of 3 days and more are spread over nearby days, drawn for a card's\n"
     "Nth review from the card's text and N (an FNV-1a hash), so that a replay\n"
     "always gives the same; --no-fuzz leaves them unspread.\n"
     "A bad row fails with its line number, and nothing is printed.\n",
     &Replay},
#if NORUMI_REVIEW_RECORD
    {"status", "status --learner NAME [--folder DIR] [--json]",
     "Tells, for each word file of the folder (the word folder by default), its\n"
     "words and, in each direction, the cards due today, the words the learner has\n"
     "never reviewed and the cards reviewed today, from review.db in the folder.\n"
     "--json writes the same as one JSON object.\n",
     &RunReviewStatus},
    {"--prune", "--prune [--learner NAME] [--folder DIR]",
     "Removes from review.db the cards and answers of word files that are no longer\n"
     "in the folder (renamed or deleted), of one learner or of all.\n",
     &RunReviewPrune},
#endif
};

constexpr SubcommandGroup kGroup{"review", kSubcommands};

int RunReview(const Invocation& call) {
  return RunSubcommand(kGroup, call.args);
}

const std::string kSynopsis = GroupSynopsis(kGroup);
const std::string kDetails = GroupDetails(kGroup);

}  // namespace

const Command kReviewCommand = {
    "review", kSynopsis,  "the spaced review: what is due, old cards removed, a log replayed",
    kDetails, &RunReview,
};

}  // namespace norumi::wbk
