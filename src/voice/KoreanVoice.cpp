// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/KoreanVoice.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <mutex>

#include "model/Utf8.h"

namespace norumi {

namespace {

// eSpeak's globals, and whether and how the one start of its engine went.
std::mutex engineMutex;
std::optional<std::optional<std::string>> engineStart;

std::string StatusText(espeak_ng_STATUS status) {
  char text[256] = {};
  espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
  return text;
}

// Collects the samples into the vector the word's synthesis was handed.
int TakeSamples(short* samples, int count, espeak_EVENT* events) {
  if (samples && count > 0 && events && events->user_data) {
    auto& out = *static_cast<std::vector<int16_t>*>(events->user_data);
    out.insert(out.end(), samples, samples + count);
  }
  return 0;  // go on
}

std::optional<std::string> StartEngine(const std::string& dataFolder) {
  // The lower-level calls: eSpeak's all-in-one start ends the process where its data is missing.
  espeak_ng_InitializePath(dataFolder.empty() ? nullptr : dataFolder.c_str());
  espeak_ng_ERROR_CONTEXT context = nullptr;
  espeak_ng_STATUS status = espeak_ng_Initialize(&context);
  espeak_ng_ClearErrorContext(&context);
  if (status != ENS_OK) return "eSpeak NG cannot read its data: " + StatusText(status);
  status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
  if (status != ENS_OK) return "eSpeak NG cannot synthesise: " + StatusText(status);
  espeak_SetSynthCallback(TakeSamples);
  status = espeak_ng_SetVoiceByName("ko");
  if (status != ENS_OK) return "eSpeak NG has no Korean voice: " + StatusText(status);
  return std::nullopt;
}

}  // namespace

std::string SpokenText(const HangulCodes& word) {
  std::string text;
  const auto end = ShownEnd(word);
  for (auto code = word.begin(); code != end; ++code) {
    if (*code != 0 && IsCharacter(*code)) {
      AppendUtf8(*code, text);
    } else {
      text += ' ';
    }
  }
  return text;
}

std::optional<std::string> KoreanVoice::Open(const std::string& dataFolder) {
  std::lock_guard lock(engineMutex);
  if (!engineStart) engineStart = StartEngine(dataFolder);
  open_ = !*engineStart;
  return *engineStart;
}

SpokenSound KoreanVoice::Say(const HangulCodes& word) const {
  SpokenSound sound;
  const std::string text = SpokenText(word);
  if (!open_ || text.find_first_not_of(' ') == std::string::npos) return sound;
  std::lock_guard lock(engineMutex);
  sound.sampleRate = espeak_ng_GetSampleRate();
  if (espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                           nullptr, &sound.samples) != ENS_OK)
    sound.samples.clear();
  return sound;
}

std::string KoreanVoice::Language() const {
  if (!open_) return {};
  std::lock_guard lock(engineMutex);
  const espeak_VOICE* voice = espeak_GetCurrentVoice();
  if (!voice || !voice->languages) return {};
  // A voice listed by eSpeak puts a priority byte before its language.
  const char* language = voice->languages;
  if (*language > 0 && *language < ' ') ++language;
  return language;
}

}  // namespace norumi
