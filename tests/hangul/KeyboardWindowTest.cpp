#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "model/ByteStream.h"

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

  test::MemoryClipboard clipboard;
};

TEST_F(KeyboardWindow, SettingsFileMissingShortAndWrittenBack) {
  EXPECT_EQ(Create().Pattern, TPattern{});  // no file: Unicode both ways, no clearing
  Destroy();
  EXPECT_EQ(SettingsOnDisk(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0}));

  // A short file fills only its part; the reserved values are kept as they were.
  WriteFile("pomnor.dat", std::string("\x07\0\0\0\x02\0\0\0\x01\0", 10));
  TfrmKeyboard& keyboard = Create();
  EXPECT_EQ(keyboard.Pattern, (TPattern{2, 1, 0, 0}));
  keyboard.Pattern.PastePattern = 3;
  Destroy();
  EXPECT_EQ(SettingsOnDisk(), (std::vector<int32_t>{7, 2, 1, 3, 0, 0}));
}

TEST_F(KeyboardWindow, CopyPlacesTheChosenForms) {
  TfrmKeyboard& keyboard = Create();
  keyboard.Keyboard.Codes = kHanGuk;
  keyboard.btCopyClick();
  EXPECT_EQ(clipboard.unicodeText, std::u16string(u"한 국"));
  ASSERT_TRUE(clipboard.plainBytes);  // EUC-KR beside the Unicode text, in one opening

  for (auto [pattern, expected] : {std::pair{2, "&#54620; &#44397;"}, {3, "&#xd55c; &#xad6d;"}}) {
    keyboard.Pattern.CopyPattern = pattern;
    keyboard.btCopyClick();
    EXPECT_EQ(clipboard.plainBytes, std::string(expected));
    EXPECT_FALSE(clipboard.unicodeText);
  }
  clipboard.Put("untouched", std::nullopt);
  keyboard.Pattern.CopyPattern = 7;  // copies nothing, but still clears when asked
  keyboard.Pattern.ClearOnCopy = 1;
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

  keyboard.Pattern.PastePattern = 2;
  keyboard.Pattern.ClearOnPaste = 1;  // replaces instead of extending
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes, (HangulCodes{0xD55C, 0xD55C}));

  clipboard.Put(std::nullopt, std::nullopt);  // nothing of the needed form: nothing pasted
  keyboard.Pattern.ClearOnPaste = 0;
  keyboard.btPasteClick();
  EXPECT_EQ(keyboard.Keyboard.Codes.size(), 2u);
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
