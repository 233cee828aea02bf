// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "FilesFixture.h"
#include "ModelSamples.h"
#include "widgets/SpinEdit.h"

namespace norumi {
namespace {

using test::Find;
using test::Select;

class OptionsWindow : public test::FilesFixture {
 protected:
  OptionsWindow() {
    test::WriteBytes(folder / "teach.txt", "teacher01\r\n");
    dialog.teachMode = true;
  }

  // Opens the options of `name` from the selection window; `drive` works the options window.
  // Without one, the file's creator must be refused.
  void Options(const QString& name, std::function<void(QDialog&)> drive) {
    Open(true, [&](QDialog& w) {
      Select(w, name);
      if (drive)
        dialogs.ExpectModal("frmWBKDlgOp", drive);
      else
        dialogs.ExpectMessage("作成者が違うので設定できません", "オプション", MsgIcon::Stop);
      Find<QPushButton>(w, "btOption").click();
      shownUrl = Find<QLabel>(w, "lbUrl").text();
      Find<QPushButton>(w, "btClose").click();
    });
  }

  static void Expect(QDialog& w, int version, bool first, bool second) {
    EXPECT_EQ(Find<TCSpinEdit>(w, "csVersion").text(), QString::number(version));
    EXPECT_EQ(Find<QRadioButton>(w, "rbKaisetsu0").isChecked(), first);
    EXPECT_EQ(Find<QRadioButton>(w, "rbKaisetsu1").isChecked(), second);
  }

  QString shownUrl;
};

TEST_F(OptionsWindow, OkStoresWhatTheControlsHoldAndTheUrlShowsAtOnce) {
  MakeFile("high", [](TTangoList& l) {
    l.Creator = "teacher01";
    l.Version = 150;
    l.Kaisetsu = 2;
    l.Url = "https://example.org/old";
    test::AddWord(l, "dog", {1});
  });
  MakeFile("low", [](TTangoList& l) {
    l.Creator = "teacher01";
    l.Version = -3;
    l.Kaisetsu = -5;
    l.ReadOnly = true;
  });

  Options("high", [&](QDialog& o) {
    EXPECT_EQ(Find<QLabel>(o, "lbTitle").text(), "high");
    EXPECT_EQ(Find<QLineEdit>(o, "edUrl").text(), "https://example.org/old");
    EXPECT_FALSE(Find<QCheckBox>(o, "cbReadOnly").isChecked());
    Expect(o, 100, false, true);
    Find<QLineEdit>(o, "edUrl").setText("https://example.org/new");
    QKeyEvent korean(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "한");
    QApplication::sendEvent(&Find<QLineEdit>(o, "edUrl"), &korean);  // a file cannot hold it
    Find<QCheckBox>(o, "cbReadOnly").setChecked(true);
    Find<QRadioButton>(o, "rbKaisetsu0").setChecked(true);
    Find<QPushButton>(o, "btOk").click();
  });
  EXPECT_EQ(shownUrl, "https://example.org/new");
  const auto high = Load("high");
  EXPECT_EQ(high->Url, "https://example.org/new");
  EXPECT_TRUE(high->ReadOnly);
  EXPECT_EQ(high->Kaisetsu, 0);
  EXPECT_EQ(high->Version, 100);
  EXPECT_EQ(high->Title, "high");
  EXPECT_EQ(high->Count(), 1);

  Options("low", [&](QDialog& o) {
    Expect(o, 0, false, false);  // no commentary mode chosen, even after the last opening's
    EXPECT_EQ(options.KaisetsuIndex(), -1);
    EXPECT_TRUE(Find<QCheckBox>(o, "cbReadOnly").isChecked());
    Find<QPushButton>(o, "btOk").click();
  });
  const auto low = Load("low");
  EXPECT_EQ(low->Kaisetsu, -1);
  EXPECT_EQ(low->Version, 0);
  EXPECT_TRUE(low->ReadOnly);
}

TEST_F(OptionsWindow, CancelAndTheTitleBarLeaveTheFileAlone) {
  MakeFile("w", [](TTangoList& l) {
    l.Creator = "teacher01";
    l.Url = "https://example.org/w";
  });
  const std::string before = test::ReadBytes(PathOf("w"));
  for (const bool byButton : {true, false}) {
    Options("w", [&](QDialog& o) {
      Find<QLineEdit>(o, "edUrl").setText("https://changed.example");
      Find<QCheckBox>(o, "cbReadOnly").setChecked(true);
      if (byButton)
        Find<QPushButton>(o, "btCancel").click();
      else
        o.reject();
    });
    EXPECT_EQ(shownUrl, "https://example.org/w");
    EXPECT_EQ(test::ReadBytes(PathOf("w")), before);
  }
}

TEST_F(OptionsWindow, FilesOfAnotherCreatorAreRefused) {
  MakeFile("theirs", [](TTangoList& l) { l.Creator = "teacher02"; });
  const std::string before = test::ReadBytes(PathOf("theirs"));
  Options("theirs", {});
  EXPECT_EQ(test::ReadBytes(PathOf("theirs")), before);
}

}  // namespace
}  // namespace norumi
