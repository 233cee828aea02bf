// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Tango.h"

namespace norumi {

// A word spoken: 16-bit mono samples, `sampleRate` of them a second.
struct SpokenSound {
  std::vector<int16_t> samples;
  int sampleRate = 0;
};

// eSpeak NG's Korean voice, synthesised inside this process. eSpeak keeps its engine in globals,
// so every KoreanVoice shares the one engine of the process and speaks one word at a time.
class KoreanVoice {
 public:
  // Starts the engine, its data read from the folder `dataFolder` (empty, or no folder: where the
  // library looks by itself), and chooses the Korean voice. None once the voice is ready; otherwise
  // why it cannot speak. The engine starts once a process: what the first opening found holds for
  // every later one, whatever folder that names.
  std::optional<std::string> Open(const std::string& dataFolder = {});
  bool IsOpen() const { return open_; }

  // The sound of `word` (trailing 0 codes show nothing); no samples before the voice is open,
  // for a word that shows nothing, or where eSpeak fails.
  SpokenSound Say(const HangulCodes& word) const;

  // The language of the voice eSpeak speaks with, as eSpeak names it ("ko"); empty before the
  // voice is open.
  std::string Language() const;

 private:
  bool open_ = false;
};

// The text eSpeak reads for `word`: its syllables in UTF-8, an empty cell or a code that is no
// character read as a space.
std::string SpokenText(const HangulCodes& word);

}  // namespace norumi
