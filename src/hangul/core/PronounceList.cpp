// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/PronounceList.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <type_traits>
#include <vector>

#include "hangul/core/Jamo.h"

namespace norumi::pron {

namespace {

// An entry is written as the syllables on both sides of a seam, "|" marking the seam. Besides a
// syllable, a side may hold "*" (any syllable), "#" (a syllable with a final), a letter such as ㄴ
// (a syllable with that final), "^" (the stretch starts here) and "$" (it ends here). The longest
// entry that matches decides. Every entry names at least one syllable next to the seam.
//
// The rows come from the examples the standard pronunciation rules give for each rule that
// depends on where a word part begins (ㄴ insertion, lateralisation's exceptions, tensing in
// compounds and after -ㄹ, linking across a word's parts, ㄺ and ㄼ), from the annex examples of
// those rules, and from words of our own word files that followed a rule the wrong way.
struct Row {
  std::u16string_view pattern;
  uint8_t effect;
};

constexpr Row kRows[] = {
    // ㄴ insertion: second elements beginning with 이 야 여 요 유 after a closed syllable.
    {u"#|잎", kInsertN},  // 꽃잎 깻잎 나뭇잎 솔잎
    {u"#|연필", kInsertN},
    {u"#|이불", kInsertN},  // 솜이불 홑이불
    {u"#|여름", kInsertN},  // 한여름
    {u"#|여울", kInsertN},  // 학여울
    {u"#|엿", kInsertN},    // 콩엿 물엿
    {u"#|이야기", kInsertN},
    {u"눈|요기", kInsertN},
    {u"담|요", kInsertN},
    {u"솜|요", kInsertN},
    {u"맨|입", kInsertN},
    {u"알|약", kInsertN},
    {u"물|약", kInsertN},
    {u"서울|역", kInsertN},
    {u"식용|유", kInsertN},
    {u"휘발|유", kInsertN},
    {u"영업|용", kInsertN},
    {u"늑막|염", kInsertN},
    {u"콩|잎", kInsertN},
    // ㄴ before the ㄹ of a suffix on a word of two syllables or more stays: 의견란 생산량
    // 공권력 이원론 입원료 상견례 신문로 구근류. 권력 or 대관령 are one word and lateralise.
    {u"*ㄴ|란", kKeepN},
    {u"*ㄴ|량", kKeepN},
    {u"*ㄴ|력", kKeepN},
    {u"*ㄴ|론", kKeepN},
    {u"*ㄴ|료", kKeepN},
    {u"*ㄴ|례", kKeepN},
    {u"*ㄴ|로", kKeepN},
    {u"*ㄴ|류", kKeepN},
    // ...but not where ㄴ and ㄹ belong to one word inside a longer one: 고주파전류 국가권력.
    {u"전|류", kRulesAlone},
    {u"원|류", kRulesAlone},
    {u"환|류", kRulesAlone},
    {u"난|류", kRulesAlone},
    {u"분|류", kRulesAlone},
    {u"한|류", kRulesAlone},
    {u"인|류", kRulesAlone},
    {u"권|력", kRulesAlone},
    {u"관|료", kRulesAlone},
    {u"연|료", kRulesAlone},
    {u"완|료", kRulesAlone},
    {u"원|료", kRulesAlone},
    {u"근|로", kRulesAlone},
    {u"선|량", kRulesAlone},
    {u"전|량", kRulesAlone},
    {u"변|론", kRulesAlone},
    {u"반|란", kRulesAlone},
    {u"산|란", kRulesAlone},
    {u"전|란", kRulesAlone},
    {u"인|력", kRulesAlone},
    {u"건|류", kRulesAlone},
    {u"잔|류", kRulesAlone},
    {u"변|류", kRulesAlone},
    {u"안|료", kRulesAlone},
    {u"민|란", kRulesAlone},
    {u"곤|란", kRulesAlone},
    {u"혼|란", kRulesAlone},
    {u"문|란", kRulesAlone},
    // -ㄹ endings and -ㄹ modifiers before ㄱ and ㅂ (ㄷ ㅅ ㅈ after ㄹ tense anyway).
    {u"ㄹ|걸$", kTense},
    {u"ㄹ|걸요$", kTense},
    {u"ㄹ|게요$", kTense},
    {u"ㄹ|거야$", kTense},
    {u"ㄹ|거예요$", kTense},
    {u"ㄹ|밖에", kTense},
    // A verb's ㄹ stem before its ending stays plain; in Sino-Korean words ㄹ makes ㄷ ㅅ ㅈ tense.
    {u"ㄹ|다$", kNotTense},
    {u"ㄹ|다가$", kNotTense},
    {u"ㄹ|지요$", kNotTense},
    {u"ㄹ|죠$", kNotTense},
    {u"ㄹ|도록$", kNotTense},
    {u"ㄹ|더니$", kNotTense},
    {u"ㄹ|던$", kNotTense},
    // Nor do native and borrowed syllables, which no Sino-Korean reading spells: 물들다 골드 펄스.
    {u"ㄹ|들", kNotTense},
    {u"ㄹ|드", kNotTense},
    {u"ㄹ|스", kNotTense},
    {u"ㄹ|즈", kNotTense},
    // Compounds whose second element starts tense, no ㅅ written between: the rule's examples.
    {u"문|고리", kTense},
    {u"눈|동자", kTense},
    {u"신|바람", kTense},
    {u"산|새", kTense},
    {u"손|재주", kTense},
    {u"길|가", kTense},
    {u"물|동이", kTense},
    {u"발|바닥", kTense},
    {u"굴|속", kTense},
    {u"술|잔", kTense},
    {u"바람|결", kTense},
    {u"그믐|달", kTense},
    {u"아침|밥", kTense},
    {u"강|가", kTense},
    {u"초승|달", kTense},
    {u"등|불", kTense},
    {u"창|살", kTense},
    {u"강|줄기", kTense},
    {u"물|고기", kTense},
    {u"손|가락", kTense},
    {u"발|가락", kTense},
    {u"눈|길", kTense},
    {u"물|감", kTense},
    {u"봄|바람", kTense},
    {u"밤|길", kTense},
    // Sino-Korean words said tense after a sonorant or a vowel, common in learners' lists.
    {u"^문|법", kTense},
    {u"^한|자$", kTense},
    {u"^인|기$", kTense},
    {u"^물|가$", kTense},
    {u"^평|가$", kTense},
    {u"^조|건$", kTense},
    {u"^사|건$", kTense},
    {u"^여|권$", kTense},
    {u"^성|격$", kTense},
    {u"^효|과$", kTense},
    {u"^내|과$", kTense},
    {u"^치|과$", kTense},
    {u"가능|성", kTense},
    {u"필요|성", kTense},
    {u"중요|성", kTense},
    {u"사용|법", kTense},
    // A final links as it sounds alone when the next part is a word of its own.
    {u"#|없", kWholeLink},  // 맛없다 멋없다 값없다
    {u"겉|옷", kWholeLink},
    {u"웃|옷", kWholeLink},
    {u"헛|웃", kWholeLink},
    {u"첫|인상", kWholeLink},
    {u"밭|아래", kWholeLink},
    // Nouns ending in ㄺ say ㄱ before ㄱ, as verbs do not (닭고기 vs 맑게); 밟 and 넓죽 say ㅂ.
    {u"닭|*", kSecondSaid},
    {u"흙|*", kSecondSaid},
    {u"칡|*", kSecondSaid},
    {u"삵|*", kSecondSaid},
    {u"밟|*", kSecondSaid},
    {u"넓|죽", kSecondSaid},
    {u"넓|둥", kSecondSaid},
    // 의 after a pronoun is the particle; at the end of a noun (강의 정의 회의) it stays a noun's.
    {u"^우리|의$", kParticle},
    {u"^저희|의$", kParticle},
    {u"^너희|의$", kParticle},
    {u"^나|의$", kParticle},
    {u"^너|의$", kParticle},
};

struct Token {
  enum Kind : uint8_t { kExact, kAny, kClosed, kFinal } kind;
  int32_t code;
  jamo::Final final;

  bool Matches(int32_t syllable) const {
    switch (kind) {
      case kExact:
        return syllable == code;
      case kAny:
        return true;
      case kClosed:
        return !jamo::Split(syllable).final.empty();
      case kFinal:
        return jamo::Split(syllable).final == final;
    }
    return false;
  }
};

struct Entry {
  std::vector<Token> left, right;
  bool atStart = false, atEnd = false;
  uint8_t effect = kRulesAlone;
  int weight = 0;    // how much of a word the entry names: the longest one decides
  int32_t key = 0;   // a syllable every match has next to the seam
  size_t order = 0;  // among entries of one weight, the first row decides
};

Token ReadToken(char16_t c) {
  if (c == u'*') return {Token::kAny, 0, {}};
  if (c == u'#') return {Token::kClosed, 0, {}};
  const jamo::Final letter = jamo::FinalOfLetter(c);
  if (!letter.empty()) return {Token::kFinal, 0, letter};
  return {Token::kExact, c, {}};
}

Entry ReadEntry(const Row& row, size_t order) {
  Entry e;
  e.effect = row.effect;
  e.order = order;
  bool right = false;
  for (const char16_t c : row.pattern) {
    if (c == u'|')
      right = true;
    else if (c == u'^')
      e.atStart = true;
    else if (c == u'$')
      e.atEnd = true;
    else
      (right ? e.right : e.left).push_back(ReadToken(c));
  }
  for (const auto* side : {&e.left, &e.right})
    for (const Token& t : *side)
      e.weight += t.kind == Token::kExact ? 4 : t.kind == Token::kAny ? 1 : 2;
  e.weight += e.atStart + e.atEnd;
  if (!e.right.empty() && e.right.front().kind == Token::kExact)
    e.key = e.right.front().code;
  else
    e.key = e.left.back().code;
  return e;
}

// The entries by the syllable each names next to its seam.
const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = [] {
    std::vector<Entry> all;
    for (size_t i = 0; i < std::size(kRows); ++i) all.push_back(ReadEntry(kRows[i], i));
    std::stable_sort(all.begin(), all.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    return all;
  }();
  return entries;
}

bool Matches(const Entry& e, std::span<const int32_t> stretch, size_t at) {
  if (e.left.size() > at || e.right.size() > stretch.size() - at) return false;
  if (e.atStart && at != e.left.size()) return false;
  if (e.atEnd && at + e.right.size() != stretch.size()) return false;
  for (size_t i = 0; i < e.left.size(); ++i)
    if (!e.left[i].Matches(stretch[at - e.left.size() + i])) return false;
  for (size_t i = 0; i < e.right.size(); ++i)
    if (!e.right[i].Matches(stretch[at + i])) return false;
  return true;
}

}  // namespace

uint8_t SeamEffectAt(std::span<const int32_t> stretch, size_t at) {
  const auto& entries = Entries();
  const Entry* best = nullptr;
  auto consider = [&](int32_t key) {
    const auto [from, to] =
        std::equal_range(entries.begin(), entries.end(), key, [](const auto& a, const auto& b) {
          if constexpr (std::is_same_v<std::decay_t<decltype(a)>, Entry>)
            return a.key < b;
          else
            return a < b.key;
        });
    for (auto it = from; it != to; ++it)
      if ((!best || it->weight > best->weight ||
           (it->weight == best->weight && it->order < best->order)) &&
          Matches(*it, stretch, at))
        best = &*it;
  };
  consider(stretch[at]);
  if (stretch[at - 1] != stretch[at]) consider(stretch[at - 1]);
  return best ? best->effect : uint8_t(kRulesAlone);
}

}  // namespace norumi::pron
