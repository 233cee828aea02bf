// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/KeyboardKeys.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "hangul/view/PronunciationLine.h"
#include "model/ByteStream.h"
#include "platform/Registry.h"

namespace norumi {
namespace {

const HangulCodes kHanGuk = {0xD55C, 32, 0xAD6D};

class KeyboardWindow : public test::AppFixture {
 protected:
  KeyboardWindow() { services.clipboard = &clipboard; }
  ~KeyboardWindow() override { Destroy(); }

  TfrmKeyboard& Create() {
    Destroy();
    frmKeyboard = new TfrmKeyboard(services);
    frmPattern = new TfrmPattern(services);
    return *frmKeyboard;
  }
  void Destroy() {
    delete frmPattern;
    delete frmKeyboard;
    frmPattern = nullptr;
    frmKeyboard = nullptr;
  }
  std::vector<int32_t> SettingsOnDisk() {
    const std::string bytes = test::ReadBytes(folder / "pomnor.dat");
    ByteReader in(bytes);
    std::vector<int32_t> values;
    for (int32_t v; in.ReadInt32(v);) values.push_back(v);
    return values;
  }
  // As the settings dialog of either program leaves them.
  void StorePattern(TPattern pattern) {
    ASSERT_EQ((TSettingsBlock{0, pattern, 0}).Write(folder / "pomnor.dat"), 0);
  }

  // The window as the keyboard program shows it, ready for keys.
  TfrmKeyboard& Shown() {
    TfrmKeyboard& keyboard = Create();
    keyboard.show();
    keyboard.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&keyboard));
    return keyboard;
  }
  // A key as the learner presses it: to the control that has the focus.
  static void Press(TfrmKeyboard& keyboard, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* focus = keyboard.focusWidget();
    QTest::keyClick(focus ? focus : &keyboard, key, modifiers);
  }
  // The line the window shows, checked against its picture.
  static HangulCodes Line(TfrmKeyboard& keyboard) {
    HangulCodes codes;
    keyboard.Keyboard.GetCodes(codes);
    EXPECT_EQ(keyboard.imMoji->Picture, DrawCodes(&codes, QSize(545, 24)));
    return codes;
  }

  test::MemoryClipboard clipboard;
};

struct Stroke {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = {};
};
struct TypingRow {
  std::vector<Stroke> strokes;
  HangulCodes shown;  // the committed codes and the pending one
  const char* focus;  // the button the last key went to
};

TEST_F(KeyboardWindow, TypingOnThePhysicalKeys) {
  const auto shift = Qt::ShiftModifier;
  const std::vector<TypingRow> rows = {
      // Space is used up: the focused ㄴ button must not take it for a click.
      {{{Qt::Key_R}, {Qt::Key_K}, {Qt::Key_S}, {Qt::Key_Space}}, {0xAC04, 32, 0}, "btSpace"},
      {{{Qt::Key_W, shift}}, {0x110D}, "bbJJ"},               // ㅉ
      {{{Qt::Key_A, shift}}, {0x1106}, "bbM"},                // no shifted jamo: ㅁ
      {{{Qt::Key_Q, shift}, {Qt::Key_K}}, {0xBE60}, "bbA"},   // 빠
      {{{Qt::Key_R, Qt::ControlModifier}}, {0x1100}, "bbG"},  // Ctrl only counts with C and V
      // Back space takes the last pending key, then whole committed cells.
      {{{Qt::Key_E}, {Qt::Key_K}, {Qt::Key_F}, {Qt::Key_R}, {Qt::Key_Backspace}},
       {0xB2EC},
       "btBack"},
      {{{Qt::Key_R}, {Qt::Key_K}, {Qt::Key_Space}, {Qt::Key_Backspace}, {Qt::Key_Backspace}},
       {0},
       "btBack"},
      {{{Qt::Key_1}, {Qt::Key_Escape}}, {0}, nullptr},  // other keys do nothing
  };
  for (const TypingRow& row : rows) {
    TfrmKeyboard& keyboard = Shown();
    for (const Stroke& stroke : row.strokes) Press(keyboard, stroke.key, stroke.modifiers);
    EXPECT_EQ(Line(keyboard), row.shown) << row.strokes.size() << " keys, then " << row.focus;
    EXPECT_TRUE(keyboard.isVisible());
    if (row.focus) {
      EXPECT_EQ(keyboard.focusWidget()->objectName(), row.focus);
    }
  }
}

TEST_F(KeyboardWindow, TheWordTypedIsSaidUnderItAndSpokenOnF5) {
  TfrmKeyboard& keyboard = Shown();
  EXPECT_TRUE(keyboard.lnPronounce->Spoken().isEmpty());
  for (Qt::Key key : {Qt::Key_R, Qt::Key_N, Qt::Key_R, Qt::Key_A, Qt::Key_N, Qt::Key_F})
    Press(keyboard, key);
  EXPECT_EQ(keyboard.lnPronounce->Spoken(), "発音 궁물 gungmul クンムル");
  Press(keyboard, Qt::Key_F5);
  EXPECT_EQ(speech.said, std::vector<HangulCodes>{Line(keyboard)});
  for (int i = 0; i < 3; ++i) Press(keyboard, Qt::Key_Backspace);
  EXPECT_EQ(keyboard.lnPronounce->Spoken(), "発音 국 guk クク") << "it follows every change";
  // A machine that cannot speak hides the button, and F5 does nothing.
  speech.canSpeak = false;
  TfrmKeyboard& silent = Shown();
  EXPECT_TRUE(silent.btSpeak->isHidden());
  Press(silent, Qt::Key_F5);
  EXPECT_EQ(speech.said.size(), 1u);
}

TEST_F(KeyboardWindow, CompoundVowelsAreHeardWithTheKeysThatTypeThem) {
  const std::vector<std::tuple<const char*, const char*, const char*, char16_t>> rows = {
      {"bbOA", "ㅘ (h k)", "読み：wa わ段 キー：h k", u'와'},
      {"bbOAE", "ㅙ (h o)", "読み：we うぇ段 キー：h o", u'왜'},
      {"bbOI", "ㅚ (h l)", "読み：we うぇ段 キー：h l", u'외'},
      {"bbUO", "ㅝ (n j)", "読み：wo うぉ段 キー：n j", u'워'},
      {"bbUOI", "ㅞ (n p)", "読み：we うぇ段 キー：n p", u'웨'},
      {"bbUI", "ㅟ (n l)", "読み：wi うぃ段 キー：n l", u'위'},
      {"bbUI2", "ㅢ (m l)", "読み：ui うい段 キー：m l", u'의'},
  };
  for (auto [name, heard, description, syllable] : rows) {
    TfrmKeyboard& keyboard = Shown();
    auto* button = keyboard.findChild<QPushButton*>(name);
    EXPECT_EQ(test::Heard(button), heard);
    EXPECT_EQ(test::Heard(button, QAccessible::Description), description);
    // The keys heard, typed after ㅇ, merge into the vowel (alone they stay two vowels).
    const QString keys = QStringLiteral("d") + QString::fromUtf8(heard).mid(3, 3).remove(u' ');
    for (QChar key : keys) Press(keyboard, Qt::Key(Qt::Key_A + (key.unicode() - 'a')));
    EXPECT_EQ(Line(keyboard), HangulCodes{syllable}) << name;
  }
}

// Without pomnor.dat: Unicode both ways, nothing cleared; a copy gets the keyboard out of the way.
TEST_F(KeyboardWindow, CopyAndPasteKeysWithTheFirstSettings) {
  TfrmKeyboard& keyboard = Shown();
  for (Qt::Key key : {Qt::Key_R, Qt::Key_K, Qt::Key_S}) Press(keyboard, key);
  Press(keyboard, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.unicodeText, std::u16string(u"간"));
  EXPECT_TRUE(keyboard.isMinimized());
  EXPECT_EQ(keyboard.focusWidget()->objectName(), "btCopy");

  keyboard.showNormal();
  clipboard.Put(std::nullopt, u"국");
  Press(keyboard, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Line(keyboard), (HangulCodes{0xAC04, 0xAD6D, 0}));
}

TEST_F(KeyboardWindow, EveryJamoButtonTypesItsJamoAndShowsItsHint) {
  TfrmKeyboard& keyboard = Shown();
  ASSERT_EQ(keyboard.KeyButtons.size(), kJamoKeys.size());
  const QRect client = keyboard.findChild<QWidget*>("pnlClient")->rect();
  for (size_t i = 0; i < kJamoKeys.size(); ++i) {
    const JamoKey& key = kJamoKeys[i];
    QPushButton* button = keyboard.findChild<QPushButton*>(key.name);
    ASSERT_EQ(button, keyboard.KeyButtons[i]) << key.name;
    keyboard.btClearClick();
    button->click();
    const HangulCodes jamo = key.tag < 50 ? HangulCodes{0x10FF + key.tag}  // stays pending
                                          : HangulCodes{0x112F + key.tag, 0};
    EXPECT_EQ(Line(keyboard), jamo) << key.name;
    // Heard as the jamo that the line then reads, the key that types it and its hint.
    EXPECT_TRUE(test::Heard(button).startsWith(test::Heard(keyboard.imMoji) + " ")) << key.name;
    if (key.hint) {  // a compound vowel has none: its description is made
      EXPECT_EQ(test::Heard(button, QAccessible::Description), key.hint);
    }
    EXPECT_EQ(button->iconSize(), HangulGlyphs::Instance().KeyGlyph(int(i)).size());
    EXPECT_TRUE(client.contains(button->geometry())) << key.name;

    // The pointer over the button and away again.
    for (auto [event, shown] : {std::pair{QEvent::Enter, key.hint}, {QEvent::Leave, ""}}) {
      QEvent crossing(event);
      QApplication::sendEvent(button, &crossing);
      EXPECT_EQ(keyboard.StatusBar1->currentMessage(), QString::fromUtf8(shown ? shown : ""));
      EXPECT_EQ(test::Heard(keyboard.StatusBar1),
                QString::fromUtf8(shown && *shown ? shown : "ステータスバー"));
    }
  }
  for (auto [name, heard] :
       {std::pair{"bbG", "ㄱ (r)"}, {"bbGG", "ㄲ (Shift+r)"}, {"bbOA", "ㅘ (h k)"}})
    EXPECT_EQ(test::Heard(keyboard.findChild<QPushButton*>(name)), QString::fromUtf8(heard));
  // The keys the window takes for its menu's commands are shown beside them.
  for (auto [item, keys] : {std::pair{keyboard.mmCopy1, "Ctrl+C"},
                            {keyboard.mmPaste, "Ctrl+V"},
                            {keyboard.mmBack, "Backspace"}})
    EXPECT_EQ(item->shortcut().toString(), keys);
  for (const char* name : {"btBack", "btClear", "btCopy", "btPaste", "btSpace", "btClose"})
    EXPECT_TRUE(client.contains(keyboard.findChild<QPushButton*>(name)->geometry())) << name;
  keyboard.mmSave16->showStatusText(keyboard.MainMenu1);  // menu items report their hints too
  EXPECT_EQ(keyboard.StatusBar1->currentMessage(), "&#x12ad・・の形式でファイルに保存します");
}

struct SaveRow {
  std::vector<int8_t> tags;
  bool hexadecimal;
  std::string written;
};

TEST_F(KeyboardWindow, SavingWritesOneLineOfReferences) {
  const std::vector<SaveRow> rows = {
      {{}, false, ""},                       // nothing typed: an empty file
      {{19, 50, 3}, false, "&#54620;\r\n"},  // 한, pending, is saved too
      {{19, 50, 3}, true, "&#xd55c;\r\n"},
  };
  const auto target = folder / "han";  // no extension is added
  for (const SaveRow& row : rows) {
    TfrmKeyboard& keyboard = Create();
    for (int8_t tag : row.tags) keyboard.Keyboard.AddKey(tag);
    dialogs.ExpectModal("SaveDialog1", [&](QDialog& w) {
      static_cast<QFileDialog&>(w).selectFile(FromPath(target));
      w.done(QDialog::Accepted);
    });
    dialogs.ExpectMessage("保存しました", row.hexadecimal ? "16進で保存" : "10進で保存",
                          MsgIcon::Information);
    (row.hexadecimal ? keyboard.mmSave16 : keyboard.mmSave10)->trigger();
    dialogs.VerifyFinished();
    EXPECT_EQ(test::ReadBytes(target), row.written);
  }
  std::filesystem::remove(target);
  dialogs.ExpectModal("SaveDialog1", [](QDialog& w) { w.reject(); });
  Create().mmSave10->trigger();  // cancelled: no file, no message
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(KeyboardWindow, ToolsAndHelpMenusGoThroughTheRegistryAndTheShell) {
  const QString toolbar =
      "\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
      "{5b0e7a42-3c19-4d6e-9a2f-7c41d8e0b613}\\";
  TfrmKeyboard& keyboard = Create();
  dialogs.ExpectMessage("Internet Explorerのツールバーに登録しました。", "IEに登録",
                        MsgIcon::Information);
  keyboard.IER1->trigger();
  EXPECT_EQ(registry.ReadMachineString(toolbar, "Default Visible"), "Yes");
  EXPECT_EQ(registry.ReadMachineString(toolbar, "Exec"), services.executablePath);
  EXPECT_EQ(registry.ReadMachineString(toolbar, "HotIcon"),
            QDir::toNativeSeparators(FromPath(folder / "pmkey2.ico")));
  EXPECT_EQ(keyboard.IER1->text(), "IEのツールバーから削除(&R)");
  dialogs.ExpectMessage("Internet Explorerのツールバーから削除しました。", "IEから削除",
                        MsgIcon::Information);
  keyboard.IER1->trigger();
  EXPECT_EQ(registry.ReadMachineString(toolbar, "ButtonText"), "");
  EXPECT_EQ(keyboard.IER1->text(), "IEへの登録(&R)");
  dialogs.ExpectMessage("Internet Explorerのツールバーに登録しました。", "IEに登録",
                        MsgIcon::Information);
  keyboard.IER1->trigger();
  EXPECT_EQ(Create().IER1->text(), "IEへの登録(&R)");  // at every start, whatever is stored

  // The keyboard's own registration: removed for an uninstallation, then put back.
  registry.WriteMachineString(kKeyboardKey, "path", "/old/norumi-keyboard");
  TfrmKeyboard& again = *frmKeyboard;
  dialogs.ExpectMessage(
      "ｱﾝｲﾝｽﾄｰﾙの準備が出来ました。\nこのプログラムを終了してフォルダごと削除してください。",
      "ｱﾝｲﾝｽﾄｰﾙの準備", MsgIcon::Information);
  again.U1->trigger();
  EXPECT_EQ(ReadKeyboardPath(registry), "");
  EXPECT_EQ(again.U1->text(), "ﾚｼﾞｽﾄﾘ登録(&U)");
  dialogs.ExpectMessage("ﾚｼﾞｽﾄﾘに登録しなおしました。", "ﾚｼﾞｽﾄﾘ登録", MsgIcon::Information);
  again.U1->trigger();
  EXPECT_EQ(ReadKeyboardPath(registry), services.executablePath);
  EXPECT_EQ(again.U1->text(), "ｱﾝｲﾝｽﾄｰﾙ準備(&U)");

  again.mmHome->trigger();  // no info.html: nothing to open
  WriteFile("info.html", "<p>");
  again.mmHome->trigger();
  EXPECT_EQ(shell.opened,
            (std::vector<QString>{QDir::toNativeSeparators(FromPath(folder / "info.html"))}));
  dialogs.VerifyFinished();
}

TEST_F(KeyboardWindow, SettingsFileMissingOrShort) {
  EXPECT_EQ(Create().Pattern, TPattern{});  // no file: Unicode both ways, no clearing
  WriteFile("pomnor.dat", std::string("\x07\0\0\0\x02\0\0\0\x01\0", 10));
  EXPECT_EQ(Create().Pattern, (TPattern{2, 1, 0, 0}));  // a short file fills only its part
}

// The program and the keyboard program share pomnor.dat: a choice made in one is used by the
// other at once, outlives the other's exit, and is never dropped in silence.
TEST_F(KeyboardWindow, AChoiceInTheOtherProgramIsUsedAndKept) {
  WriteFile("pomnor.dat", std::string("\x07\0\0\0", 4));  // a reserved value, kept
  TfrmKeyboard& program = Create();
  const auto expectChoice = [&] {
    dialogs.ExpectModal("frmPattern", [](QDialog& w) {
      w.findChild<QRadioButton*>("rbCopy3")->setChecked(true);
      w.findChild<QPushButton*>("btOk")->click();
    });
  };
  expectChoice();
  std::make_unique<TfrmKeyboard>(services)->mmProp->trigger();  // then that program ends
  program.Keyboard.Codes = kHanGuk;
  program.btCopyClick();
  EXPECT_EQ(clipboard.plainBytes, std::string("&#54620; &#44397;"));
  Destroy();
  EXPECT_EQ(SettingsOnDisk(), (std::vector<int32_t>{7, 2, 0, 0, 0, 0}));

  std::filesystem::permissions(folder / "pomnor.dat", std::filesystem::perms::owner_read);
  expectChoice();
  dialogs.ExpectMessage(QStringLiteral("ファイル %1 を作成できません。")
                            .arg(QDir::toNativeSeparators(FromPath(folder / "pomnor.dat"))),
                        kApplicationTitle, MsgIcon::Stop);
  Create().mmProp->trigger();
}

TEST_F(KeyboardWindow, CopyPlacesTheChosenForms) {
  TfrmKeyboard& keyboard = Create();
  keyboard.Keyboard.Codes = kHanGuk;
  keyboard.btCopyClick();
  EXPECT_EQ(clipboard.unicodeText, std::u16string(u"한 국"));
  ASSERT_TRUE(clipboard.plainBytes);  // EUC-KR beside the Unicode text, in one opening

  for (auto [pattern, expected] : {std::pair{2, "&#54620; &#44397;"}, {3, "&#xd55c; &#xad6d;"}}) {
    StorePattern({pattern, 0, 0, 0});
    keyboard.btCopyClick();
    EXPECT_EQ(clipboard.plainBytes, std::string(expected));
    EXPECT_FALSE(clipboard.unicodeText);
  }
  clipboard.Put("untouched", std::nullopt);
  StorePattern({7, 1, 0, 0});  // copies nothing, but still clears when asked
  keyboard.btCopyClick();
  EXPECT_EQ(clipboard.plainBytes, std::string("untouched"));
  EXPECT_TRUE(keyboard.Keyboard.Codes.empty());
}

TEST_F(KeyboardWindow, PasteCommitsThePendingSyllableThenAppends) {
  TfrmKeyboard& keyboard = Create();
  keyboard.Keyboard.AddKey(19);  // ㅎ
  keyboard.Keyboard.AddKey(50);  // ㅏ: 하 pending
  clipboard.Put("&#54620;&#xd55c;", u"국");
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes, (HangulCodes{0xD558, 0xAD6D}));
  EXPECT_EQ(keyboard.Keyboard.KeyCount, 0);

  StorePattern({0, 0, 2, 1});  // replaces instead of extending
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes, (HangulCodes{0xD55C, 0xD55C}));

  clipboard.Put(std::nullopt, std::nullopt);  // nothing of the needed form: nothing pasted
  StorePattern({0, 0, 2, 0});
  dialogs.ExpectMessage("クリップボードに韓国語がありません", "ノルミキーボード",
                        MsgIcon::Information);
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes.size(), 2u);

  clipboard.Put(std::nullopt, u"x&#xd55c;");  // references offered only as Unicode text or HTML
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes, (HangulCodes{0xD55C, 0xD55C, 0xD55C}));
}

// A paste that brings nothing to show says so and leaves the word as it was, also where the
// settings clear it before a paste.
TEST_F(KeyboardWindow, APasteWithoutKoreanSaysSoAndKeepsTheWord) {
  TfrmKeyboard& keyboard = Create();
  keyboard.Keyboard.Codes = kHanGuk;
  keyboard.DrawModel();
  struct Row {
    int pattern;
    std::optional<std::string> plain;
    std::optional<std::u16string> unicode;
  };
  for (const Row& row : std::initializer_list<Row>{
           {0, std::nullopt, std::nullopt},   // an empty clipboard
           {0, "\xC7\xD1", u"\u00C7\u00D1"},  // EUC-KR offered as X11's STRING alone
           {0, std::nullopt, u" abc\u200B\r\n"},
           {1, "ab\r\n", std::nullopt},  // pairs without a table entry: spaces
           {2, "&#65;&#x3000;&#;", std::nullopt},
       }) {
    StorePattern({0, 0, row.pattern, 1});
    clipboard.Put(row.plain, row.unicode);
    dialogs.ExpectMessage("クリップボードに韓国語がありません", "ノルミキーボード",
                          MsgIcon::Information);
    keyboard.btPasteClick();
    EXPECT_EQ(Line(keyboard), (HangulCodes{0xD55C, 32, 0xAD6D, 0})) << row.pattern;
  }
}

TEST_F(KeyboardWindow, AttachImageSizesTheTargetAndStartsTheModelFromTheWord) {
  TfrmKeyboard& keyboard = Create();
  TImage image;
  image.resize(456, 24);
  keyboard.Keyboard.Codes = {1, 2, 3};
  keyboard.AttachImage(&image, &kHanGuk);
  EXPECT_EQ(keyboard.Target, &image);
  EXPECT_EQ(image.Picture.size(), QSize(456, 24));
  EXPECT_EQ(keyboard.Keyboard.Codes, kHanGuk);
  EXPECT_EQ(image.Picture, DrawCodes(&kHanGuk, QSize(456, 24)));
  keyboard.AttachImage(&image);
  EXPECT_TRUE(keyboard.Keyboard.Codes.empty());
}

TEST_F(KeyboardWindow, PatternDialogWritesBackOnlyOnOk) {
  TfrmKeyboard& keyboard = Create();
  dialogs.ExpectModal("frmPattern", [](QDialog& w) {
    EXPECT_FALSE(w.findChild<QRadioButton*>("rbCopy2")->isEnabled());  // no table here
    EXPECT_TRUE(w.findChild<QRadioButton*>("rbCopy1")->isChecked());
    w.findChild<QRadioButton*>("rbCopy4")->setChecked(true);
    w.findChild<QCheckBox*>("cbClear2")->setChecked(true);
    w.findChild<QPushButton*>("btCancel")->click();
  });
  dialogs.ExpectModal("frmPattern", [](QDialog& w) {
    EXPECT_TRUE(w.findChild<QRadioButton*>("rbCopy1")->isChecked());  // the stored settings again
    EXPECT_FALSE(w.findChild<QCheckBox*>("cbClear2")->isChecked());
    w.findChild<QRadioButton*>("rbPaste3")->setChecked(true);
    w.findChild<QCheckBox*>("cbClear1")->setChecked(true);
    w.findChild<QPushButton*>("btOk")->click();
  });
  QWidget caller;
  caller.show();
  keyboard.mmPropClick(&caller);
  EXPECT_EQ(keyboard.Pattern, TPattern{});
  keyboard.mmPropClick(&caller);
  EXPECT_EQ(keyboard.Pattern, (TPattern{0, 1, 2, 0}));
  EXPECT_TRUE(caller.isVisible());
}

}  // namespace
}  // namespace norumi
