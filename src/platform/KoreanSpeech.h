// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <memory>

#include "platform/Speech.h"
#include "voice/KoreanVoice.h"

class QAudioSink;

namespace norumi {

// Korean words in eSpeak NG's Korean voice, played on the machine's default sound output.
class KoreanSpeech : public ISpeech {
 public:
  KoreanSpeech();
  ~KoreanSpeech() override;

  // The voice is opened at the first question, so that a program that never speaks never
  // loads it; why it cannot be opened is said once on the program's error output.
  bool CanSpeak() override;
  // A word takes some tens of milliseconds to synthesise: done here, then played from memory.
  void Say(const HangulCodes& word) override;

 private:
  KoreanVoice voice_;
  bool opened_ = false;
  QBuffer buffer_;
  std::unique_ptr<QAudioSink> sink_;
};

}  // namespace norumi
