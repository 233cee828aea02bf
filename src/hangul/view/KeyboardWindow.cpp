#include "hangul/view/KeyboardWindow.h"

#include <QApplication>
#include <QRadioButton>
#include <QVBoxLayout>

#include "hangul/core/TextForms.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/PatternDialog.h"
#include "platform/Clipboard.h"
#include "platform/FormParts.h"

namespace norumi {

TfrmKeyboard* frmKeyboard = nullptr;

TfrmKeyboard::TfrmKeyboard(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmKeyboard"));
  setWindowTitle(QStringLiteral("ノルミキーボード"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowOpacity(200.0 / 255.0);
  imMoji = Named(new TImage(this), "imMoji");
  imMoji->setFixedSize(545, 24);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(imMoji);
  FormCreate();
}

TfrmKeyboard::~TfrmKeyboard() {
  FormDestroy();
}

std::filesystem::path TfrmKeyboard::SettingsFile() const {
  return services_.programFolder / "pomnor.dat";
}

void TfrmKeyboard::FormCreate() {
  imMoji->Picture = QImage(imMoji->size(), QImage::Format_RGB32);
  imMoji->Picture.fill(Qt::white);
  std::error_code error;
  const auto table = services_.programFolder / "euc2uni.dll";
  if (std::filesystem::exists(table, error)) Uni2Euc.LoadTable(table);
  Target = imMoji;
  Settings = TSettingsBlock::Read(SettingsFile());
}

void TfrmKeyboard::FormDestroy() {
  Settings.Write(SettingsFile());
}

void TfrmKeyboard::AttachImage(TImage* image, const HangulCodes* codes) {
  Target = image;
  Target->Picture = QImage(Target->size(), QImage::Format_RGB32);
  Keyboard.Clear();
  if (codes) Keyboard.Codes = *codes;
  DrawCodes(codes);
}

void TfrmKeyboard::DrawCodes(const HangulCodes* codes) {
  Target->SetPicture(norumi::DrawCodes(codes, Target->size()));
}

void TfrmKeyboard::DrawModel() {
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  DrawCodes(&codes);
}

void TfrmKeyboard::ClearModel() {
  Keyboard.Clear();
  DrawCodes(nullptr);
}

void TfrmKeyboard::CommitPending() {
  if (Keyboard.KeyCount == 0) return;
  Keyboard.Codes.push_back(Keyboard.Pending);
  Keyboard.Keys.fill(0);
  Keyboard.KeyCount = 0;
  Keyboard.Pending = 0;
}

void TfrmKeyboard::btCopyClick() {
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  if (services_.clipboard) {
    switch (Pattern.CopyPattern) {
      case 0:
        services_.clipboard->Put(CodesToEucKr(codes, Uni2Euc), CodesToUnicodeText(codes));
        break;
      case 1:
        services_.clipboard->Put(CodesToEucKr(codes, Uni2Euc), std::nullopt);
        break;
      case 2:
      case 3:
        services_.clipboard->Put(CodesToReferences(codes, Pattern.CopyPattern == 3), std::nullopt);
        break;
      default:
        break;
    }
  }
  if (Pattern.ClearOnCopy == 1) ClearModel();
  // Out of the way, so that the learner can paste into another program.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) window->showMinimized();
}

void TfrmKeyboard::btPasteClick() {
  if (Pattern.ClearOnPaste == 1) ClearModel();
  CommitPending();
  HangulCodes pasted;
  if (services_.clipboard) {
    if (Pattern.PastePattern == 0) {
      if (const auto text = services_.clipboard->UnicodeText()) pasted = UnicodeTextToCodes(*text);
    } else if (Pattern.PastePattern >= 1 && Pattern.PastePattern <= 3) {
      if (const auto bytes = services_.clipboard->PlainText())
        pasted =
            Pattern.PastePattern == 1 ? EucKrToCodes(*bytes, Uni2Euc) : ReferencesToCodes(*bytes);
    }
  }
  Keyboard.Codes.insert(Keyboard.Codes.end(), pasted.begin(), pasted.end());
  DrawModel();
}

void TfrmKeyboard::mmPropClick(QWidget* caller) {
  if (caller) caller->hide();
  frmPattern->rbCopy2->setEnabled(Uni2Euc.IsAvailable());
  frmPattern->rbPaste2->setEnabled(Uni2Euc.IsAvailable());
  frmPattern->EditPattern(Pattern);
  if (caller) caller->show();
}

}  // namespace norumi
