// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace norumi {

// The system clipboard's two text forms: plain-text bytes (the EUC-KR and reference forms) and
// Unicode text. Absent forms read as nullopt.
class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // Places both forms in one opening, replacing what the clipboard held; either may be absent.
  virtual void Put(const std::optional<std::string>& plainBytes,
                   const std::optional<std::u16string>& unicodeText) = 0;
  // The plain-text bytes as they were placed, if the clipboard holds plain text.
  virtual std::optional<std::string> PlainText() = 0;
  // The Unicode text, if the clipboard holds text of any form (HTML gives its text).
  virtual std::optional<std::u16string> UnicodeText() = 0;
};

// On Windows the system's CF_TEXT and CF_UNICODETEXT. Elsewhere the Unicode text is the text
// other programs read, and the plain bytes travel under a type of our own, so that EUC-KR bytes
// paste back unchanged; they are offered as text too when they are UTF-8 and no Unicode text
// goes with them. Read back, the plain bytes are ours, else the raw bytes of the system's plain
// text; the Unicode text is that of the text forms, else the text of HTML. Needs a
// QGuiApplication.
class QtClipboard : public IClipboard {
 public:
  void Put(const std::optional<std::string>& plainBytes,
           const std::optional<std::u16string>& unicodeText) override;
  std::optional<std::string> PlainText() override;
  std::optional<std::u16string> UnicodeText() override;
};

// The type our plain-text bytes are kept under, where the system has no plain text of its own.
inline constexpr const char* kPlainTextMime = "application/x-norumi-plain-text";

}  // namespace norumi
