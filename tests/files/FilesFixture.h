// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <stdexcept>

#include "AppFixture.h"
#include "files/WbkDialog.h"
#include "files/WbkDlgOp.h"
#include "model/TangoList.h"
#include "platform/text/Cp932.h"

namespace norumi::test {

// A program folder with the selection and options windows of their own, reached through their
// globals as the program reaches them.
class FilesFixture : public AppFixture {
 protected:
  FilesFixture() : dialog(services), options(services) {
    frmWBKDialog = &dialog;
    frmWBKDlgOp = &options;
  }
  ~FilesFixture() override {
    frmWBKDialog = nullptr;
    frmWBKDlgOp = nullptr;
  }

  std::filesystem::path PathOf(const QString& name) const {
    return folder.Path() / ToPath(name + ".wbk");
  }
  // Saves a word file named `name` after `fill` set it up.
  void MakeFile(const QString& name, const std::function<void(TTangoList&)>& fill = {}) {
    TTangoList list;
    list.Title = Sj(name);
    if (fill) fill(list);
    list.SaveToFile(PathOf(name));
  }
  std::unique_ptr<TTangoList> Load(const QString& name) const {
    auto list = std::make_unique<TTangoList>();
    list->LoadFromFile(PathOf(name));
    return list;
  }

  // Opens the selection window; `drive` works it like the learner and must close it.
  int Open(bool editMode, std::function<void(QDialog&)> drive) {
    dialogs.ExpectModal("frmWBKDialog", std::move(drive));
    return dialog.Execute(editMode);
  }

  TfrmWBKDialog dialog;
  TfrmWBKDlgOp options;
};

inline QListWidgetItem& Entry(QWidget& window, const QString& text) {
  const auto found = Find<QListWidget>(window, "clbFile").findItems(text, Qt::MatchExactly);
  if (found.size() != 1) throw std::runtime_error("no single entry " + text.toStdString());
  return *found.first();
}

inline void Select(QWidget& window, const QString& text) {
  Find<QListWidget>(window, "clbFile").setCurrentItem(&Entry(window, text));
}

inline void SetChecked(QWidget& window, const QString& text, bool on) {
  Entry(window, text).setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// The entries' texts, sorted: the folder scan's order is the file system's.
inline QStringList Entries(QWidget& window, bool checkedOnly = false) {
  QStringList texts;
  const auto& list = Find<QListWidget>(window, "clbFile");
  for (int i = 0; i < list.count(); ++i) {
    if (!checkedOnly || list.item(i)->checkState() == Qt::Checked) texts << list.item(i)->text();
  }
  texts.sort();
  return texts;
}

}  // namespace norumi::test
