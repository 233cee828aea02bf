#pragma once

#include "hangul/core/CommonSaver.h"
#include "hangul/core/Keyboard.h"
#include "hangul/core/Uni2Euc.h"
#include "platform/Form.h"

namespace norumi {

class TImage;

// The Hangul keyboard. The program creates it once and never shows it: it hosts what every
// window that shows Korean shares, the composition model, the drawing, the clipboard forms with
// their EUC-KR table, and the copy and paste settings kept in pomnor.dat.
class TfrmKeyboard : public TForm {
  Q_OBJECT

 public:
  explicit TfrmKeyboard(Services& services);
  ~TfrmKeyboard() override;

  TKeyboard Keyboard;
  TUni2Euc Uni2Euc;
  TSettingsBlock Settings;
  TPattern& Pattern = Settings.Pattern;
  TImage* imMoji;
  TImage* Target;

  // Makes `image` the drawing target, sized to its control, and starts the model from `codes`.
  void AttachImage(TImage* image, const HangulCodes* codes = nullptr);
  // Draws `codes` (none: an empty line) into the target; the model is not touched.
  void DrawCodes(const HangulCodes* codes);
  void DrawModel();

  void btCopyClick();
  void btPasteClick();
  // The settings dialog on behalf of `caller`, which hides itself meanwhile.
  void mmPropClick(QWidget* caller);

  std::filesystem::path SettingsFile() const;

 private:
  void FormCreate();
  void FormDestroy();
  void CommitPending();
  void ClearModel();
};

extern TfrmKeyboard* frmKeyboard;

}  // namespace norumi
