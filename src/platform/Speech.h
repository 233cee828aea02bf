// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tango.h"

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

}  // namespace norumi
