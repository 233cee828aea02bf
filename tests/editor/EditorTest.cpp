// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor as a learner uses it: browsing, registering pasted words, the warnings, the
// locked file, and what reaches the word file when the window closes.
#include <QClipboard>

#include "EditorFixture.h"
#include "hangul/view/PronunciationLine.h"
#include "model/WordFileUpdate.h"
#include "platform/ExceptionDisplay.h"
#include "storage/FileErrors.h"
#include "storage/WordFileLock.h"

namespace norumi {
namespace {

using test::AddWord;
using test::Sj;
using test::WithZeros;

class Editor : public test::EditorFixture {
 protected:
  Editor() {
    // Five words; the first two stored with several closing 0 codes, as repeated registrations
    // used to leave them.
    MakeFile("five", [](TTangoList& l) {
      AddWord(l, Sj("犬"), WithZeros(test::kGae, 3));
      AddWord(l, Sj("猫"), WithZeros(test::kGoyangi, 2));
      AddWord(l, Sj("水"), WithZeros(test::kMul, 1));
      AddWord(l, Sj("意味だけ"), {});
      AddWord(l, "", test::kMul);
    });
  }
  static std::vector<std::pair<std::string, HangulCodes>> Words(const TTangoList& list) {
    std::vector<std::pair<std::string, HangulCodes>> words;
    for (int i = 0; i < list.Count(); ++i)
      words.emplace_back(list.Tango(i).Japan, list.Tango(i).Hangul);
    return words;
  }
};

TEST_F(Editor, OpensAfterTheLastWordAndClosingKeepsTheWords) {
  const auto before = Load("five");
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time(folder / "five.wbk", old);
  Edit("five", false, [&](TfrmRegist& w) {
    EXPECT_EQ(w.windowTitle(), "Norumi! > 単語登録 > five");
    EXPECT_EQ(w.edNo->text(), "5");
    EXPECT_EQ(Meaning(w), "");
    EXPECT_EQ(w.imMoji->Picture, Drawn({}));
    EXPECT_TRUE(w.btLeft->isEnabled());
    EXPECT_TRUE(w.btRegist->isVisible());
    EXPECT_FALSE(w.btOption->isVisible());
    EXPECT_FALSE(w.btNorumi->isVisible());  // no keyboard program registered
    w.btLeft->click();                      // nothing changed: no warning
    EXPECT_EQ(w.edNo->text(), "4");
    w.edNo->setText("0");
    w.btJump->click();
    EXPECT_EQ(Meaning(w), "犬");
    EXPECT_FALSE(w.btLeft->isEnabled());
    // Extra closing 0 codes draw as nothing: the word looks as it always did.
    EXPECT_EQ(w.imMoji->Picture, Drawn(test::kGae));
    EXPECT_EQ(test::Heard(w.imMoji), "개");
    EXPECT_EQ(test::Heard(w.imMoji, QAccessible::Description), "編集中の韓国語");
    EXPECT_EQ(test::Heard(w.edNo), "単語の番号");
    w.btClose->click();
  });
  // The empty entry the window opened on is dropped; the file is written anew.
  EXPECT_EQ(Words(*Load("five")), Words(*before));
  EXPECT_NE(std::filesystem::last_write_time(folder / "five.wbk"), old);
}

TEST_F(Editor, RegisteringStoresTheWordWithOneClosingZero) {
  Edit("five", false, [&](TfrmRegist& w) {
    // The paste form is the one the quiz uses too: set here to decimal references.
    dialogs.ExpectModal("frmPattern", [&](QDialog&) {
      EXPECT_FALSE(w.isVisible());
      frmPattern->rbPaste3->setChecked(true);
      frmPattern->btOk->click();
    });
    w.P2->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(frmKeyboard->Pattern.PastePattern, 2);
    // A new word: pasted with the button, then the meaning typed.
    clipboard.Put(std::string("&#50864;&#50976;"), std::nullopt);
    w.btHanguel->click();
    EXPECT_EQ(w.focusWidget(), w.btRegist);
    w.edJapan->setText(QStringLiteral("牛乳"));
    w.btRegist->click();
    // An old word registered unchanged, twice: its 0 codes do not pile up.
    w.edNo->setText("0");
    w.btJump->click();
    w.btRegist->click();
    w.btRegist->click();
    // Ctrl+V outside the text fields pastes Korean too, after the word shown.
    w.edNo->setText("1");
    w.btJump->click();
    clipboard.Put(std::string("&#xb4e4;"), std::nullopt);
    CtrlV(*w.imMoji);
    EXPECT_EQ(w.imMoji->Picture, Drawn({0xACE0, 0xC591, 0xC774, 0, 0, 0xB4E4}));
    EXPECT_EQ(test::Heard(w.imMoji), "고양이들");  // empty cells are not heard
    w.btRegist->click();
    // An entry with nothing at all is not written.
    w.edNo->setText("6");
    w.btJump->click();
    w.btRegist->click();
    w.btClose->click();
  });
  const auto after = Load("five");
  ASSERT_EQ(after->Count(), 6);
  EXPECT_EQ(after->Tango(5).Japan, Sj("牛乳"));
  EXPECT_EQ(after->Tango(5).Hangul, (HangulCodes{0xC6B0, 0xC720, 0}));
  EXPECT_EQ(after->Tango(0).Hangul, WithZeros(test::kGae, 1));
  // 0 codes inside the word stay where the word shows them.
  EXPECT_EQ(after->Tango(1).Hangul, (HangulCodes{0xACE0, 0xC591, 0xC774, 0, 0, 0xB4E4, 0}));
  EXPECT_EQ(after->Tango(3).Hangul, HangulCodes{});  // meaning only: still no Korean
}

TEST_F(Editor, JumpAndTheChangedWarning) {
  Edit("five", false, [&](TfrmRegist& w) {
    // The window opened on a new entry after the five words: six entries now.
    for (const char* text : {"-1", "-2", "abc", "", "7", "99999999999"}) {
      dialogs.ExpectMessage("データが範囲外です。", "ジャンプ", MsgIcon::Stop);
      w.edNo->setText(QString::fromLatin1(text));
      w.btJump->click();
    }
    dialogs.VerifyFinished();
    w.edNo->setText("6");  // the count itself: one more new entry
    w.btJump->click();
    EXPECT_EQ(w.edNo->text(), "6");
    EXPECT_EQ(w.WordList->Count(), 7);

    w.edNo->setText("2");
    w.btJump->click();
    w.edJapan->setText(QStringLiteral("みず"));
    dialogs.ExpectMessage("変更されていますがよろしいですか？", "データ移動", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::No);
    w.btRight->click();
    EXPECT_EQ(w.edNo->text(), "2");
    EXPECT_EQ(Meaning(w), "みず");  // kept on screen
    dialogs.ExpectMessage("変更されていますがよろしいですか？", "ジャンプ", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::Yes);
    w.edNo->setText("0");
    w.btJump->click();
    dialogs.ExpectMessage("データを削除しますか？", "データ削除", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::No);
    w.btDelete->click();
    dialogs.ExpectMessage("データを削除しますか？", "データ削除", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::Yes);
    w.btDelete->click();
    EXPECT_EQ(Meaning(w), "猫");  // the next word takes its place
    EXPECT_EQ(w.lnPronounce->Spoken(), "発音 고양이 goyangi コヤンイ") << "said as shown";
    w.btClose->click();
  });
  const auto after = Load("five");
  ASSERT_EQ(after->Count(), 4);
  EXPECT_EQ(after->Tango(1).Japan, Sj("水"));  // the typed change was given up
}

TEST_F(Editor, ALockedFileIsBrowsedAndNotGrown) {
  MakeFile("locked", [](TTangoList& l) {
    l.ReadOnly = true;
    AddWord(l, Sj("犬"), WithZeros(test::kGae, 1));
    AddWord(l, Sj("猫"), WithZeros(test::kGoyangi, 1));
  });
  registry.WriteMachineString(kKeyboardKey, "path", "/opt/keyboard");
  Edit("locked", false, [&](TfrmRegist& w) {
    EXPECT_FALSE(w.btRegist->isVisible());
    EXPECT_FALSE(w.btNorumi->isVisible());
    EXPECT_TRUE(w.edJapan->isReadOnly());
    EXPECT_FALSE(w.btRight->isEnabled());  // on the first entry after the last word
    EXPECT_FALSE(w.T1->isVisible());       // no words read in from a list either
    w.btLeft->click();
    EXPECT_TRUE(w.btRight->isEnabled());
    // Ctrl+V still draws the pasted word, but there is nothing to register it with.
    w.btLeft->setFocus();
    test::EditorFixture::Paste(u"개");
    CtrlV(*w.btLeft);
    EXPECT_EQ(w.imMoji->Picture, Drawn({0xACE0, 0xC591, 0xC774, 0, 0xAC1C}));
    EXPECT_EQ(w.focusWidget(), w.btLeft);
    dialogs.ExpectMessage("データを削除しますか？", "データ削除", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::Yes);
    w.btDelete->click();  // deleting is offered all the same
    w.btClose->click();
  });
  ASSERT_EQ(Load("locked")->Count(), 1);

  // The teacher is not locked out, and the option and code buttons appear.
  Edit("locked", true, [&](TfrmRegist& w) {
    EXPECT_TRUE(w.btRegist->isVisible());
    EXPECT_TRUE(w.btNorumi->isVisible());
    EXPECT_TRUE(w.btOption->isVisible());
    EXPECT_TRUE(w.btMagCode->isVisible());
    EXPECT_TRUE(w.T1->isVisible());
    EXPECT_FALSE(w.edJapan->isReadOnly());
    w.btNorumi->click();
    w.btClose->click();
  });
  EXPECT_EQ(shell.opened, (std::vector<QString>{"/opt/keyboard"}));
  // An editable file afterwards: "＞" goes on past the end again.
  Edit("five", false, [&](TfrmRegist& w) {
    EXPECT_TRUE(w.btRight->isEnabled());
    w.btRight->click();
    EXPECT_EQ(w.edNo->text(), "6");
    w.btClose->click();
  });
}

TEST_F(Editor, DamagedAndMissingFilesNeverTakeOtherWords) {
  // A file whose entries are cut off: what could be read is shown, and nothing is written.
  std::string cut = test::ReadBytes(folder / "five.wbk");
  cut.resize(cut.size() - 20);
  test::WriteBytes(folder / "cut.wbk", cut);
  dialogs.ExpectMessage(ExceptionMessage(EFDamagedError(folder / "cut.wbk")), kApplicationTitle,
                        MsgIcon::Stop);
  Edit("cut", true, [&](TfrmRegist& w) {
    EXPECT_FALSE(w.btRegist->isVisible());
    EXPECT_FALSE(w.btDelete->isVisible());
    EXPECT_FALSE(w.btOption->isVisible());
    EXPECT_TRUE(w.edJapan->isReadOnly());
    w.reject();  // the title bar's close box
  });
  EXPECT_EQ(test::ReadBytes(folder / "cut.wbk"), cut);

  // After "five", a title whose file is gone starts empty: five's words are neither shown nor
  // saved under it.
  Edit("five", false, [&](TfrmRegist& w) { w.btClose->click(); });
  Edit("gone", false, [&](TfrmRegist& w) {
    EXPECT_EQ(w.edNo->text(), "0");
    EXPECT_EQ(w.lbTanName->text(), "gone");
    w.btClose->click();
  });
  const auto gone = Load("gone");
  EXPECT_EQ(gone->Count(), 0);
  EXPECT_EQ(gone->Title, "gone");
  EXPECT_EQ(Load("five")->Count(), 5);
}

TEST_F(Editor, EachChangeIsSavedAtOnceAndAFailedSaveKeepsTheWindowAndItsWords) {
  const auto five = PathOf("five");
  const QString readOnly = ExceptionMessage(EFCreateError(five, FileCause::FileReadOnly));
  Edit("five", false, [&](TfrmRegist& w) {
    w.btRight->click();  // leaves an empty entry behind, which no save writes
    for (const char* meaning : {"新しい", "もっと新しい"}) {
      w.edJapan->setText(QString::fromUtf8(meaning));
      w.btRegist->click();
    }
    EXPECT_EQ(Load("five")->Tango(5).Japan, Sj("もっと新しい"));  // while the window is open
    dialogs.ExpectMessage("データを削除しますか？", "データ削除", MsgIcon::Information,
                          MsgButtons::YesNo, MsgAnswer::Yes);
    w.btDelete->click();
    EXPECT_EQ(Load("five")->Count(), 5);
    std::filesystem::permissions(five, std::filesystem::perms::owner_read);
    dialogs.ExpectMessage(readOnly, kApplicationTitle, MsgIcon::Stop);
    w.btRegist->click();
    for (const MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::Retry, MsgAnswer::Discard})
      dialogs.ExpectMessage(
          "単語ファイルを保存できませんでした。\n" + readOnly +
              "\n「再試行」でもう一度保存します。「破棄」で保存せずに閉じると、"
              "保存されていない変更は失われます。「キャンセル」で単語登録に戻ります。",
          kApplicationTitle, MsgIcon::Stop, MsgButtons::RetryDiscardCancel, answer);
    w.btClose->click();
    EXPECT_TRUE(w.isVisible());  // キャンセル: back to the words
    w.btClose->click();          // 再試行 fails again; 破棄 closes
  });
}

TEST_F(Editor, EveryWayOfClosingAsksAboutTheEntryOnScreen) {
  using Way = std::function<void(TfrmRegist&)>;
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  for (const Way& close : {Way([](TfrmRegist& w) { w.btClose->click(); }),
                           Way([&](TfrmRegist& w) { QApplication::sendEvent(w.edJapan, &escape); }),
                           Way([](TfrmRegist& w) { w.close(); })}) {  // the title bar
    Edit("five", false, [&](TfrmRegist& w) {
      w.edJapan->setText(QStringLiteral("いぬ"));
      for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        dialogs.ExpectMessage("変更されていますがよろしいですか？", "閉じる", MsgIcon::Information,
                              MsgButtons::YesNo, answer);
        close(w);
        EXPECT_EQ(w.isVisible(), answer == MsgAnswer::No);
      }
    });
  }
}

TEST_F(Editor, CtrlVInATextFieldPastesThereAndNotIntoTheKoreanWord) {
  QGuiApplication::clipboard()->setText(QStringLiteral("こいびと"));
  Paste(u"こいびと");
  for (const char* field : {"edNo", "edJapan"}) {
    Edit("five", false, [&](TfrmRegist& w) {
      w.edNo->setText("0");
      w.btJump->click();
      CtrlV(test::Find<QLineEdit>(w, field));
      EXPECT_TRUE(test::Find<QLineEdit>(w, field).text().endsWith("こいびと"));
      w.btRegist->click();
      w.btClose->click();
    });
    EXPECT_EQ(Load("five")->Tango(0).Hangul, WithZeros(test::kGae, 1));
  }
}

TEST_F(Editor, ALockIsNotWaitedForAndTheEditorNamesItselfAsItsHolder) {
  const auto five = PathOf("five");
  const auto holder = [&] { return ParseLockHolder(test::ReadBytes(LockFileOf(five))); };
  {
    const WordFileLock other(five, std::chrono::milliseconds(0), "wbk");
    dialogs.ExpectMessage(QStringLiteral("単語ファイル %1 は%2が使用中です。使い終わるのを待って"
                                         "「再試行」を押すか、「キャンセル」でやめてください。")
                              .arg(FromPath(five), LockHolderText(holder())),
                          kApplicationTitle, MsgIcon::Stop, MsgButtons::RetryCancel,
                          MsgAnswer::Cancel);
    EXPECT_EQ(frmRegist->OpenFile(five), kModalCancel);  // and never shown
  }
  Edit("five", false, [&](TfrmRegist& w) {
    EXPECT_EQ(holder().window, "単語登録");
    w.btClose->click();
  });
}

// A lock file deleted under the editor (a clean-up script, another user) keeps nobody out: the
// next save takes the lock anew and keeps what another writer saved meanwhile.
TEST_F(Editor, ASaveAfterItsLockFileWentKeepsTheWordsAnotherWriterSavedMeanwhile) {
  const auto five = PathOf("five");
  Edit("five", false, [&](TfrmRegist& w) {
    std::filesystem::remove(LockFileOf(five));
    TTangoList other;
    UpdateWordFile(other, five, [&](LoadStatus) {
      AddWord(other, Sj("木"), {0xB098, 0xBB34});
      return true;
    });
    test::EditorFixture::Paste(u"개");
    w.btHanguel->click();
    w.edJapan->setText(QStringLiteral("子犬"));
    dialogs.ExpectMessage(RelockedMessage(five, 1), kApplicationTitle, MsgIcon::Information);
    w.btRegist->click();
    w.btClose->click();
  });
  const auto words = Words(*Load("five"));
  ASSERT_EQ(words.size(), 7u);
  EXPECT_EQ(words[5].first, Sj("子犬"));
  EXPECT_EQ(words[6].first, Sj("木"));
}

TEST_F(Editor, AFileThatCannotBeWrittenOpensForBrowsingOnly) {
  namespace fs = std::filesystem;
  const auto five = PathOf("five");
  const auto lock = LockFileOf(five);
  const std::string before = test::ReadBytes(five);
  const std::vector<std::pair<QString, std::function<void(bool)>>> rows = {
      {ExceptionMessage(EFCreateError(five, FileCause::FolderReadOnly)),
       [&](bool on) {
         fs::permissions(folder.Path(),
                         on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
       }},
      {ExceptionMessage(EFLockFileError(lock, FileCause::NotAFile)),
       [&](bool on) { on ? fs::create_directory(lock) : fs::remove(lock); }}};
  for (const auto& [cause, block] : rows) {
    block(true);
    dialogs.ExpectMessage(cause +
                              "\nこの単語ファイルは読み取り専用で開きます。閲覧だけができ、"
                              "変更は保存されません。",
                          kApplicationTitle, MsgIcon::Information);
    Edit("five", true, [&](TfrmRegist& w) {
      EXPECT_FALSE(fs::is_regular_file(lock));  // no lock held
      EXPECT_TRUE(w.edJapan->isReadOnly() && w.btRegist->isHidden() && w.btDelete->isHidden() &&
                  w.btOption->isHidden() && !w.T1->isVisible());
      w.btClose->click();
    });
    block(false);
    EXPECT_EQ(test::ReadBytes(five), before);
  }
}

TEST_F(Editor, DisplayOnlyOffersNothingAndLeavesTheListAlone) {
  TTangoList list;
  list.Title = Sj("授業");
  AddWord(list, Sj("犬"), WithZeros(test::kGae, 1));
  TTango shown;
  shown.Japan = Sj("猫");
  shown.Hangul = test::kGoyangi;
  dialogs.ExpectModal("frmRegist", [&](QDialog&) {
    TfrmRegist& w = *frmRegist;
    EXPECT_EQ(w.windowTitle(), "Norumi! > 単語 > 授業");
    EXPECT_EQ(Meaning(w), "猫");
    EXPECT_EQ(w.imMoji->Picture, Drawn(test::kGoyangi));
    EXPECT_TRUE(w.edJapan->isReadOnly());
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.btLeft, w.btRight, w.edNo, w.btJump,
                                                           w.btHanguel, w.btNorumi, w.btOption,
                                                           w.btMagCode, w.btRegist, w.btDelete})
      EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_FALSE(w.E1->menuAction()->isVisible());
    EXPECT_FALSE(w.T1->isVisible());
    test::EditorFixture::Paste(u"개");
    CtrlV(*w.btClose);  // nothing to paste into
    EXPECT_EQ(w.imMoji->Picture, Drawn(test::kGoyangi));
    w.btClose->click();
  });
  frmRegist->ShowDisplayOnly(list, shown);
  dialogs.VerifyFinished();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_NE(frmRegist->WordList, &list);
}

}  // namespace
}  // namespace norumi
