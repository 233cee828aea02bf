// SPDX-License-Identifier: GPL-3.0-or-later
// wbk pronounce: how Korean words are said, as the windows show it under a word, and the sound
// the "発音" button plays.
#include "Commands.h"
#include "Json.h"
#include "hangul/core/Pronunciation.h"
#include "hangul/core/TextForms.h"
#include "model/Utf8.h"
#include "storage/SafeSave.h"

#ifdef NORUMI_VOICE
#include "voice/KoreanVoice.h"
#include "voice/Wav.h"
#endif

namespace norumi::wbk {
namespace {

std::string Utf8Of(const HangulCodes& codes) {
  std::string text;
  for (const int32_t code : codes)
    if (code != 0) AppendUtf8(code, text);
  return text;
}

// The word as the windows hold it: decomposed letters composed, as a paste composes them.
HangulCodes WordOf(const std::string& arg) {
  return UnicodeTextToCodes(ArgText(arg).toStdU16String());
}

void WriteWav(const std::string& file, const HangulCodes& word) {
#ifdef NORUMI_VOICE
  KoreanVoice voice;
  if (const auto why = voice.Open()) throw Failure("no Korean voice: " + *why);
  const SpokenSound sound = voice.Say(word);
  if (sound.samples.empty()) throw Failure("the Korean voice said nothing");
  SaveFileReplacing(ArgPath(file), WavFile(sound));
#else
  (void)file;
  (void)word;
  throw Failure("this wbk was built without speech (eSpeak NG)");
#endif
}

int RunPronounce(const Invocation& call) {
  const Args args(call.args, {{"--json", false}, {"--wav", true}}, 1, SIZE_MAX);
  std::vector<HangulCodes> words;
  for (const std::string& arg : args.Positional()) words.push_back(WordOf(arg));
  if (const auto wav = args.Value("--wav")) {
    if (words.size() != 1) throw UsageError("--wav FILE speaks one WORD");
    WriteWav(*wav, words.front());
    return 0;
  }
  const bool json = args.Has("--json");
  std::string out = json ? "[" : "";
  for (size_t i = 0; i < words.size(); ++i) {
    const SaidForms said = PronunciationOf(words[i]);
    const std::string word = Utf8Of(words[i]), hangul = Utf8Of(said.hangul);
    if (!json) {
      out += EscapeControls(word) + "\t[" + EscapeControls(hangul) + "]\t" +
             EscapeControls(said.roman) + "\t" + EscapeControls(said.katakana) + "\n";
      continue;
    }
    out += i == 0 ? "\n  {\"word\": " : ",\n  {\"word\": ";
    AppendJsonString(out, word);
    out += ", \"pronunciation\": ";
    AppendJsonString(out, hangul);
    out += ", \"romanization\": ";
    AppendJsonString(out, said.roman);
    out += ", \"katakana\": ";
    AppendJsonString(out, said.katakana);
    out += "}";
  }
  if (json) out += "\n]\n";
  WriteOut(out);
  return 0;
}

}  // namespace

const Command kPronounceCommand{
    "pronounce", "WORD... [--json] | --wav FILE WORD",
    "say how Korean words are said: pronunciation, romanization, katakana",
    "Prints for each WORD, tab-separated: the word, its standard pronunciation in brackets,\n"
    "its Revised Romanization and its katakana, as the program shows them under a word:\n"
    "  국물\t[궁물]\tgungmul\tクンムル\n"
    "--json prints an array of objects with the fields word, pronunciation, romanization and\n"
    "katakana. --wav FILE writes WORD spoken by eSpeak NG's Korean voice to FILE (16-bit mono\n"
    "WAV), what the program's \"発音\" button plays.\n",
    RunPronounce};

}  // namespace norumi::wbk
