// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace norumi {

// One word of a Japanese text as the morphological analyser reads it (the IPA dictionary's
// fields). `reading` is in katakana; it is empty where the dictionary does not know the word.
struct JapaneseToken {
  QString surface;
  QString partOfSpeech;  // 名詞, 動詞, 助動詞, ...
  QString subclass;      // 形容動詞語幹, 自立, ...
  QString inflection;    // 基本形, 連用形, ...
  QString baseForm;      // the dictionary form: 行く for 行き
  QString reading;
};

// Japanese readings from MeCab with the IPA dictionary, loaded once. Analysing is safe from
// several threads at once. Where the build or the machine lacks the analyser, `Shared` gives
// none and says why in `MissingReason`: judging then works without readings.
class JapaneseReadings {
 public:
  ~JapaneseReadings();
  JapaneseReadings(const JapaneseReadings&) = delete;
  JapaneseReadings& operator=(const JapaneseReadings&) = delete;

  // The analyser of this process, opened at the first call; none when it cannot be had.
  static const JapaneseReadings* Shared();
  static QString MissingReason();
  // Whether this build has the analyser at all (a machine may still lack its dictionary).
  static bool InThisBuild();
  // Where this build looks for the IPA dictionary.
  static QString DictionaryFolder();
  // An analyser on the dictionary in `folder` (an IPA dictionary in UTF-8), or none when it
  // cannot be opened; `why` then says what stood in the way.
  static std::unique_ptr<JapaneseReadings> Open(const QString& folder, QString* why = nullptr);

  std::vector<JapaneseToken> Analyse(const QString& text) const;

 private:
  struct Engine;
  explicit JapaneseReadings(std::unique_ptr<Engine> engine);
  std::unique_ptr<Engine> engine_;
};

}  // namespace norumi
