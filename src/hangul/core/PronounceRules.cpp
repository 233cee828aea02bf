// SPDX-License-Identifier: GPL-3.0-or-later
// The consonant rules work seam by seam, left to right: a seam changes only the final before it
// and the initial after it, so no seam sees another's half-done work. The vowels follow once the
// consonants are settled, since 의 and 계 read the initial they end up with.
#include "hangul/core/PronounceRules.h"

#include "hangul/core/PronounceList.h"

namespace norumi::pron {

namespace {

using namespace jamo;

bool IsSonorant(Consonant c) {
  return c == kN || c == kR || c == kM || c == kNg;
}
bool IsTensable(Consonant c) {
  return c == kG || c == kD || c == kB || c == kS || c == kJ;
}
bool IsStop(Consonant c) {
  return c == kG || c == kD || c == kB;
}

Consonant Tense(Consonant c) {
  switch (c) {
    case kG:
      return kKK;
    case kD:
      return kTT;
    case kB:
      return kPP;
    case kS:
      return kSS;
    case kJ:
      return kJJ;
    default:
      return c;
  }
}

// ㅎ next to a stop: one aspirated consonant.
Consonant Aspirate(Consonant c) {
  switch (c) {
    case kG:
    case kKK:
    case kK:
      return kK;
    case kD:
    case kS:
    case kSS:
    case kT:
      return kT;
    case kJ:
    case kCh:
      return kCh;
    case kB:
    case kP:
      return kP;
    default:
      return c;
  }
}

// The seven sounds a syllable can end in.
Consonant Neutral(Consonant c) {
  switch (c) {
    case kKK:
    case kK:
      return kG;
    case kS:
    case kSS:
    case kJ:
    case kCh:
    case kT:
    case kH:
      return kD;
    case kP:
      return kB;
    default:
      return c;
  }
}

bool IsYOrI(Vowel v) {
  return v == kI || v == kYa || v == kYeo || v == kYo || v == kYu;
}

struct Seam {
  Final& final;
  Consonant& initial;
  Vowel vowel;
  uint8_t effect;
  bool& tensed;
  bool used = false;  // the effect changed what is said

  bool Has(SeamEffect e) { return (effect & e) != 0; }
  void Use(SeamEffect e) { used = used || Has(e); }
};

// Which consonant of a double final is said before `next` (kNone at the end).
Consonant SaidOfDouble(const Final& f, Consonant next) {
  if (f == Final{kR, kG}) return next == kG ? kR : kG;  // 맑게 [말께], 읽다 [익따]
  if (f == Final{kR, kM}) return kM;
  if (f == Final{kR, kP}) return kB;  // 읊다
  return f.first;                     // ㄳ ㄵ ㄶ ㄼ ㄽ ㄾ ㅀ ㅄ
}

// The verb stems ending so make a following ㄱ ㄷ ㅅ ㅈ tense: 앉고 젊다 넓게 핥다 맑게.
bool StemTenses(const Final& f, Consonant next) {
  return f == Final{kN, kJ} || f == Final{kR, kM} || f == Final{kR, kB} || f == Final{kR, kT} ||
         (f == Final{kR, kG} && next == kG);
}

// The consonant a double final says before the seam's consonant; the list names the nouns and
// stems that say the second one (닭고기, 밟다).
Consonant SayDouble(Seam& s) {
  if (!s.Has(kSecondSaid)) return SaidOfDouble(s.final, s.initial);
  s.Use(kSecondSaid);
  return s.final.second;
}

// A vowel follows: the final moves over (연음), ㅎ drops, 디 티 become 지 치.
void Link(Seam& s) {
  Final& f = s.final;
  if (f == Final{kNg}) return;
  if (s.Has(kWholeLink)) {
    s.Use(kWholeLink);
    s.initial = Neutral(f.single() ? f.first : SayDouble(s));
    f = {};
    return;
  }
  if (f.first == kH || f.second == kH) {
    s.initial = f.second == kH ? f.first : kNg;
    f = {};
    return;
  }
  if (f.single()) {
    s.initial = f.first;
    f = {};
  } else {
    s.initial = f.second == kS ? kSS : f.second;
    s.tensed = f.second == kS;
    f = {f.first};
  }
  if (s.vowel == kI && s.initial == kD) s.initial = kJ;
  if (s.vowel == kI && s.initial == kT) s.initial = kCh;
}

// ㅎ after a stop, or a stop after ㅎ, makes one aspirated consonant. True when done.
bool AspirateAcross(Seam& s) {
  Final& f = s.final;
  const bool finalH = f.first == kH || f.second == kH;
  const Consonant kept = finalH ? (f.second == kH ? f.first : kNone)
                                : (f.single() || !IsSonorant(f.first) ? kNone : f.first);
  if (s.initial == kH && !finalH) {
    const Consonant stop = f.single() || kept == kNone ? f.first : f.second;
    if (IsSonorant(stop)) return false;
    s.initial = Aspirate(stop);
    if (s.initial == kT && s.vowel == kI) s.initial = kCh;  // 굳히다 닫히다
    f = kept == kNone ? Final{} : Final{kept};
    return true;
  }
  if (!finalH) return false;
  if (s.initial == kG || s.initial == kD || s.initial == kJ || s.initial == kH) {
    s.initial = s.initial == kH ? kH : Aspirate(s.initial);
  } else if (s.initial == kS) {
    s.initial = kSS;  // 닿소 많소
    s.tensed = true;
  } else {
    // Before ㄴ ㅁ ㄹ the ㅎ is said as ㄷ would be (놓는 [논는]), or not at all after ㄴ ㄹ.
    f = Final{kept == kNone ? kD : kept};
    return false;
  }
  f = kept == kNone ? Final{} : Final{kept};
  return true;
}

// Nasals and ㄹ meeting across the seam: 먹는 궁물 담력 백리 신라 칼날, and 의견란 by the list.
void Assimilate(Seam& s) {
  Consonant& f = s.final.first;
  Consonant& c = s.initial;
  if (c == kR && f == kN) {
    if (s.Has(kKeepN)) {
      s.Use(kKeepN);
      c = kN;
    } else {
      f = kR;
    }
  } else if (c == kR && f != kR) {
    c = kN;
  } else if (c == kN && f == kR) {
    c = kR;
  }
  if ((c == kN || c == kM) && IsStop(f)) f = f == kG ? kNg : f == kD ? kN : kM;
}

void Tensen(Seam& s, bool stemTenses) {
  const Consonant f = s.final.first, c = s.initial;
  if (!IsTensable(c)) return;
  const bool afterR = f == kR && (c == kD || c == kS || c == kJ);
  if (afterR) s.Use(kNotTense);
  const bool byRule = IsStop(f) || (stemTenses && c != kB) || (afterR && !s.Has(kNotTense));
  if (!byRule && s.Has(kTense)) s.Use(kTense);
  if (byRule || s.Has(kTense)) {
    s.initial = Tense(c);
    s.tensed = true;
  }
}

bool SaySeam(Seam s) {
  if (s.final.empty()) {
    Tensen(s, false);  // a compound after a vowel: 여권
    return s.used;
  }
  if (s.Has(kInsertN) && s.initial == kNg && IsYOrI(s.vowel)) {
    s.Use(kInsertN);
    s.initial = kN;
  }
  if (s.initial == kNg) {
    Link(s);
    return s.used;
  }
  if (AspirateAcross(s)) return s.used;
  bool stemTenses = false;
  if (!s.final.single()) {
    stemTenses = !s.Has(kSecondSaid) && StemTenses(s.final, s.initial);
    s.final = Final{SayDouble(s)};
  }
  s.final = Final{Neutral(s.final.first)};
  Assimilate(s);
  Tensen(s, stemTenses);
  return s.used;
}

// A stretch's last syllable ends in one of the seven sounds.
void SayEnd(Final& f) {
  if (f.empty()) return;
  f = Final{Neutral(f.single() ? f.first : SaidOfDouble(f, kNone))};
}

// 예 and 례 keep ㅖ; elsewhere ㅔ, the allowed form. 져 쪄 쳐 are said 저 쩌 처. 의 keeps its
// sound first in a word, is 이 after a consonant or inside a word and 에 as the particle.
bool SayVowel(SaidSyllable& s, bool first, bool particle) {
  Vowel& v = s.sound.vowel;
  const Consonant c = s.sound.initial, spelled = s.spelled.initial;
  if (v == kYe && spelled != kNg && spelled != kR) v = kE;
  if (v == kYeo && (c == kJ || c == kJJ || c == kCh)) v = kEo;
  if (v != kUi || (first && c == kNg)) return false;
  v = c == kNg && particle ? kE : kI;
  return c == kNg && particle;
}

}  // namespace

SaidStretch SayStretch(std::span<const int32_t> stretch) {
  SaidStretch said;
  said.syllables.reserve(stretch.size());
  for (const int32_t code : stretch) {
    const Syllable s = Split(code);
    said.syllables.push_back({s, s, false});
  }
  auto& out = said.syllables;
  for (size_t at = 1; at < out.size(); ++at) {
    const uint8_t effect = SeamEffectAt(stretch, at);
    Seam seam{out[at - 1].sound.final, out[at].sound.initial, out[at].sound.vowel, effect,
              out[at].tensedByRule};
    said.listDecided |= SaySeam(seam);
    const bool particle = (effect & kParticle) != 0;
    said.listDecided |= SayVowel(out[at], false, particle);
  }
  if (!out.empty()) {
    SayVowel(out[0], true, false);
    SayEnd(out.back().sound.final);
  }
  return said;
}

}  // namespace norumi::pron
