// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/Wav.h"

#include <cstdint>

namespace norumi {

namespace {

// WAV is little-endian whatever the machine.
void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i) & 0xFF);
}

}  // namespace

std::string WavFile(const SpokenSound& sound) {
  constexpr uint32_t kChannels = 1, kBytesPerSample = 2;
  const auto dataBytes = uint32_t(sound.samples.size() * kBytesPerSample);
  const auto rate = uint32_t(sound.sampleRate);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  Put(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);  // the size of the plain PCM format block
  Put(out, 1, 2);   // PCM
  Put(out, kChannels, 2);
  Put(out, rate, 4);
  Put(out, rate * kChannels * kBytesPerSample, 4);
  Put(out, kChannels * kBytesPerSample, 2);
  Put(out, 8 * kBytesPerSample, 2);
  out += "data";
  Put(out, dataBytes, 4);
  for (int16_t sample : sound.samples) Put(out, uint16_t(sample), 2);
  return out;
}

}  // namespace norumi
