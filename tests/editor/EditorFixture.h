// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "ModelSamples.h"
#include "WbkRunner.h"
#include "editor/MelCode.h"
#include "editor/Regist.h"
#include "editor/TangoOp.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "platform/text/Cp932.h"

namespace norumi::test {

// 개, 고양이, 물 and 牛乳's 우유.
inline const HangulCodes kGae = {0xAC1C};
inline const HangulCodes kGoyangi = {0xACE0, 0xC591, 0xC774};
inline const HangulCodes kMul = {0xBB3C};

// The word editor with the windows it works with, on a folder of its own.
class EditorFixture : public AppFixture {
 protected:
  EditorFixture() {
    services.clipboard = &clipboard;
    frmRegist = new TfrmRegist(services);
    frmKeyboard = new TfrmKeyboard(services);
    frmPattern = new TfrmPattern(services);
    frmTangoOp = new TfrmTangoOp(services);
    frmMelCode = new TfrmMelCode(services);
  }
  ~EditorFixture() override {
    delete frmMelCode;
    delete frmTangoOp;
    delete frmPattern;
    delete frmKeyboard;
    delete frmRegist;
    frmMelCode = nullptr;
    frmTangoOp = nullptr;
    frmPattern = nullptr;
    frmKeyboard = nullptr;
    frmRegist = nullptr;
  }

  void MakeFile(const char* name, const std::function<void(TTangoList&)>& fill) {
    TTangoList list;
    list.Title = name;
    fill(list);
    list.SaveToFile(PathOf(name));
  }
  std::filesystem::path PathOf(const char* name) { return folder / (std::string(name) + ".wbk"); }
  std::unique_ptr<TTangoList> Load(const char* name) {
    auto list = std::make_unique<TTangoList>();
    list->LoadFromFile(PathOf(name));
    return list;
  }
  // Opens `name` in the editor, which `drive` works and must close.
  void Edit(const char* name, bool teacher, const std::function<void(TfrmRegist&)>& drive) {
    dialogs.ExpectModal("frmRegist", [&](QDialog&) { drive(*frmRegist); });
    frmRegist->teachMode = teacher;
    frmRegist->OpenFile(PathOf(name));
    dialogs.VerifyFinished();
  }

  void Paste(std::u16string text) { clipboard.Put(std::nullopt, std::move(text)); }
  static void CtrlV(QWidget& target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("v"));
    QApplication::sendEvent(&target, &press);
  }
  static QImage Drawn(const HangulCodes& codes) { return DrawCodes(&codes, QSize(456, 24)); }
  static QString Meaning(const TfrmRegist& w) { return w.edJapan->text(); }

  MemoryClipboard clipboard;
};

inline HangulCodes WithZeros(HangulCodes codes, int zeros) {
  codes.insert(codes.end(), zeros, 0);
  return codes;
}

}  // namespace norumi::test
