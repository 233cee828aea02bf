// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/KoreanSpeech.h"

namespace norumi {
namespace {

// Without a sound server (no server at the address named here) the windows must hide their
// "発音" button, and a word said anyway is dropped quietly.
TEST(KoreanSpeech, CannotSpeakWithoutASoundOutput) {
  qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
  KoreanSpeech speech;
  EXPECT_FALSE(speech.CanSpeak());
  speech.Say({0xB124});
}

}  // namespace
}  // namespace norumi
