// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "TempDir.h"
#include "voice/KoreanVoice.h"
#include "voice/Wav.h"

namespace norumi {
namespace {

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + i]);
  return value;
}

// The samples of a WAV file as a player reads them, after checking its header.
std::vector<int16_t> ReadWav(const std::string& wav, int rate) {
  EXPECT_EQ(wav.substr(0, 4) + wav.substr(8, 8) + wav.substr(36, 4), "RIFFWAVEfmt data");
  EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
  EXPECT_EQ(Le(wav, 20, 2), 1u);  // PCM
  EXPECT_EQ(Le(wav, 22, 2), 1u);  // mono
  EXPECT_EQ(Le(wav, 24, 4), uint32_t(rate));
  EXPECT_EQ(Le(wav, 28, 4), uint32_t(rate) * 2);
  EXPECT_EQ(Le(wav, 34, 2), 16u);
  EXPECT_EQ(Le(wav, 40, 4), wav.size() - 44);
  std::vector<int16_t> samples;
  for (size_t at = 44; at + 1 < wav.size(); at += 2) samples.push_back(int16_t(Le(wav, at, 2)));
  return samples;
}

struct Word {
  const char* name;
  HangulCodes codes;
  double minSeconds, maxSeconds;
  int minSyllables;
};

class SpokenWord : public testing::TestWithParam<Word> {};

TEST_P(SpokenWord, IsSpeechOfItsLengthInItsWavFile) {
  KoreanVoice voice;
  ASSERT_EQ(voice.Open(), std::nullopt);
  const SpokenSound sound = voice.Say(GetParam().codes);
  const std::vector<int16_t> samples = ReadWav(WavFile(sound), sound.sampleRate);
  ASSERT_EQ(samples, sound.samples);
  const double seconds = double(samples.size()) / sound.sampleRate;
  EXPECT_GT(seconds, GetParam().minSeconds);
  EXPECT_LT(seconds, GetParam().maxSeconds);

  // Loudness and zero crossings over 20 ms frames: one steady error tone has neither syllables
  // (loud stretches parted by quiet ones) nor consonants beside vowels.
  const size_t frame = size_t(sound.sampleRate / 50);
  std::vector<double> loudness, crossings;
  double total = 0;
  for (size_t at = 0; at + frame <= samples.size(); at += frame) {
    double power = 0, crossed = 0;
    for (size_t i = at; i < at + frame; ++i) {
      power += double(samples[i]) * samples[i];
      crossed += i > at && (samples[i] < 0) != (samples[i - 1] < 0);
    }
    total += power;
    loudness.push_back(std::sqrt(power / frame));
    crossings.push_back(crossed / frame);
  }
  EXPECT_GT(std::sqrt(total / samples.size()), 500);  // of 32767
  const double loudest = *std::max_element(loudness.begin(), loudness.end());
  int syllables = 0;
  double fewest = 1, most = 0;
  for (size_t i = 0, quiet = 1; i < loudness.size(); ++i) {
    if (quiet && loudness[i] > loudest / 2) syllables += 1, quiet = 0;
    if (loudness[i] < loudest / 4) quiet = 1;
    if (loudness[i] > loudest / 10) {
      fewest = std::min(fewest, crossings[i]);
      most = std::max(most, crossings[i]);
    }
  }
  EXPECT_GE(syllables, GetParam().minSyllables);
  EXPECT_GT(most, 2 * fewest);
}

INSTANTIATE_TEST_SUITE_P(
    Words, SpokenWord,
    testing::Values(Word{"Gamsahamnida", {0xAC10, 0xC0AC, 0xD569, 0xB2C8, 0xB2E4}, 0.3, 3, 3},
                    Word{"Ne", {0xB124}, 0.1, 1.5, 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(KoreanVoice, SpeaksKoreanLongerForLongerWords) {
  KoreanVoice voice;
  ASSERT_EQ(voice.Open(), std::nullopt);
  EXPECT_EQ(voice.Language(), "ko");
  const HangulCodes thanks = {0xAC10, 0xC0AC, 0xD569, 0xB2C8, 0xB2E4};
  EXPECT_GT(voice.Say(thanks).samples.size(), voice.Say({0xB124}).samples.size());
  // Cells that show nothing are not read out; an empty cell inside parts two syllables.
  EXPECT_EQ(SpokenText({0xAC10, 0, 0xB124, 0, 0}), "감 네");
  EXPECT_TRUE(voice.Say({0, 0}).samples.empty());
}

// Run first, in a child of its own: eSpeak's engine starts once a process.
TEST(KoreanVoiceDeathTest, WithoutItsDataSaysWhyAndStaysSilent) {
  const test::TempDir empty;
  EXPECT_EXIT(
      {
        KoreanVoice voice;
        const auto why = voice.Open(empty.Path().string());
        std::fputs(why.value_or("").c_str(), stderr);
        std::exit(why && voice.Say({0xB124}).samples.empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "eSpeak NG");
}

}  // namespace
}  // namespace norumi
