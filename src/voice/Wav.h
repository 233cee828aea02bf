// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "voice/KoreanVoice.h"

namespace norumi {

// The bytes of a RIFF WAV file holding `sound` as 16-bit mono PCM.
std::string WavFile(const SpokenSound& sound);

}  // namespace norumi
