// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tango.h"
#include "platform/Services.h"

namespace norumi {

// Korean words spoken aloud. Where the machine has no Korean voice or no sound output, nothing
// can be spoken, and the windows hide their "発音" button.
class ISpeech {
 public:
  virtual ~ISpeech() = default;
  virtual bool CanSpeak() = 0;
  // Starts speaking `word`, cutting short what was being spoken, and returns at once.
  virtual void Say(const HangulCodes& word) = 0;
};

// Whether the windows offer to speak a word: the program has speech, and the machine a voice
// and a sound output.
inline bool CanSpeak(const Services& services) {
  return services.speech && services.speech->CanSpeak();
}

// Speaks `word` where the machine can; elsewhere nothing happens.
inline void Speak(const Services& services, const HangulCodes& word) {
  if (CanSpeak(services)) services.speech->Say(word);
}

}  // namespace norumi
