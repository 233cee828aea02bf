// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "model/Tango.h"

class QLabel;

namespace norumi {

class IRegistry;
class TfrmKeyboard;
class TImage;

// Whether the windows show how a word is said; the settings window turns it off.
bool PronunciationShown(IRegistry& registry);
void SetPronunciationShown(IRegistry& registry, bool shown);

// The line under a Korean word that says how it is said: the standard pronunciation in
// brackets, drawn as the word is, then its romanization and katakana ("[궁물] gungmul クンムル").
// It keeps its place while empty or turned off, so that its window does not jump.
class TPronunciationLine : public QWidget {
  Q_OBJECT

 public:
  explicit TPronunciationLine(IRegistry& registry, QWidget* parent = nullptr);

  // Shows how `word` is said; empty for no word, or one with no Hangul syllable.
  void ShowWord(const HangulCodes* word);
  // Shows, from now on, how the word `keyboard` draws into `image` is said (and no longer what
  // it followed before).
  void Follow(TfrmKeyboard& keyboard, TImage* image);
  // What a screen reader says of the line: "発音 궁물 gungmul クンムル"; empty while it is.
  QString Spoken() const;

  QLabel* lbOpen;
  TImage* imPronounce;
  QLabel* lbClose;
  QLabel* lbReading;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  IRegistry& registry_;
  // Read as the line's window opens, not at each word the keyboard draws.
  bool shown_ = false;
  QMetaObject::Connection following_;
  QString spoken_;
};

}  // namespace norumi
