// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KoreanSpeech.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QtDebug>

namespace norumi {

KoreanSpeech::KoreanSpeech() = default;

// The sink goes first: it still reads the buffer.
KoreanSpeech::~KoreanSpeech() {
  sink_.reset();
}

bool KoreanSpeech::CanSpeak() {
  if (!opened_) {
    opened_ = true;
    if (const auto why = voice_.Open()) qWarning("Korean words cannot be spoken: %s", why->c_str());
  }
  // Asked each time: a headset plugged in or out changes it while the program runs.
  return voice_.IsOpen() && !QMediaDevices::defaultAudioOutput().isNull();
}

void KoreanSpeech::Say(const HangulCodes& word) {
  if (!CanSpeak()) return;
  const SpokenSound sound = voice_.Say(word);
  sink_.reset();  // what was being spoken stops here
  if (sound.samples.empty()) return;
  buffer_.close();
  buffer_.setData(reinterpret_cast<const char*>(sound.samples.data()),
                  qsizetype(sound.samples.size() * sizeof(sound.samples[0])));
  buffer_.open(QIODevice::ReadOnly);
  QAudioFormat format;
  format.setSampleFormat(QAudioFormat::Int16);
  format.setChannelCount(1);
  format.setSampleRate(sound.sampleRate);
  sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
  // Kept until the next word: the sink is idle once the sound server holds the whole word, and
  // stopping it then would cut off the word's end.
  sink_->start(&buffer_);
}

}  // namespace norumi
