// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clipboard.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#else
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringDecoder>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cstring>
#endif

namespace norumi {

#ifdef _WIN32

namespace {

// Hands the clipboard a copy of `bytes` followed by a zero terminator of `zeros` bytes.
void SetData(UINT format, const void* bytes, size_t size, size_t zeros) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size + zeros);
  if (!memory) return;
  auto* target = static_cast<char*>(GlobalLock(memory));
  if (!target) {
    GlobalFree(memory);
    return;
  }
  std::memcpy(target, bytes, size);
  std::memset(target + size, 0, zeros);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) GlobalFree(memory);  // else the system owns it now
}

// The text of `format` up to its terminator, which the size of the memory also bounds.
template <typename Char>
std::optional<std::basic_string<Char>> GetData(UINT format) {
  if (!IsClipboardFormatAvailable(format) || !OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::basic_string<Char>> text;
  if (HANDLE memory = GetClipboardData(format)) {
    if (const auto* source = static_cast<const Char*>(GlobalLock(memory))) {
      const size_t capacity = GlobalSize(memory) / sizeof(Char);
      size_t length = 0;
      while (length < capacity && source[length] != 0) ++length;
      text.emplace(source, length);
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

void QtClipboard::Put(const std::optional<std::string>& plainBytes,
                      const std::optional<std::u16string>& unicodeText) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (plainBytes) SetData(CF_TEXT, plainBytes->data(), plainBytes->size(), 1);
  if (unicodeText)
    SetData(CF_UNICODETEXT, unicodeText->data(), unicodeText->size() * sizeof(char16_t), 2);
  CloseClipboard();
}

std::optional<std::string> QtClipboard::PlainText() {
  return GetData<char>(CF_TEXT);
}

std::optional<std::u16string> QtClipboard::UnicodeText() {
  return GetData<char16_t>(CF_UNICODETEXT);
}

#else

namespace {

constexpr const char* kTextMime = "text/plain";
constexpr const char* kUtf8TextMime = "text/plain;charset=utf-8";
constexpr uint32_t kX11StringAtom = 31;  // STRING, an atom the X protocol itself defines

bool IsUtf8(const std::string& bytes) {
  QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  // Decoding happens only when the result becomes a QString.
  const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  return !decoder.hasError();
}

// Whether an X11 clipboard owner offers STRING: its TARGETS are the atoms it offers.
bool OffersX11String(const QMimeData& data) {
  if (!data.hasFormat("TARGETS")) return false;
  const QByteArray targets = data.data("TARGETS");
  for (qsizetype at = 0; at + 4 <= targets.size(); at += 4) {
    uint32_t atom;
    std::memcpy(&atom, targets.constData() + at, sizeof atom);
    if (atom == kX11StringAtom) return true;
  }
  return false;
}

// The bytes of the system's plain text as its owner placed them. Qt on X11 hands STRING over
// read as Latin-1 and written as UTF-8, so where the owner offers STRING and the text fits
// Latin-1 its Latin-1 bytes are the owner's bytes: EUC-KR, where older programs put it.
std::optional<std::string> SystemPlainBytes(const QMimeData& data) {
  if (!data.hasFormat(kTextMime)) return std::nullopt;
  const QByteArray bytes = data.data(kTextMime);
  if (OffersX11String(data)) {
    const QString text = QString::fromUtf8(bytes);  // not UTF-8: U+FFFD, which is no Latin-1
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; }))
      return text.toLatin1().toStdString();
  }
  return bytes.toStdString();
}

}  // namespace

void QtClipboard::Put(const std::optional<std::string>& plainBytes,
                      const std::optional<std::u16string>& unicodeText) {
  auto* data = new QMimeData;
  if (unicodeText)
    data->setText(QString::fromStdU16String(*unicodeText));
  else if (plainBytes && IsUtf8(*plainBytes))
    data->setText(QString::fromStdString(*plainBytes));
  if (plainBytes)
    data->setData(kPlainTextMime, QByteArray(plainBytes->data(), qsizetype(plainBytes->size())));
  QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it now
}

std::optional<std::string> QtClipboard::PlainText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return std::nullopt;
  // Our own copy keeps its EUC-KR bytes here, beside the Unicode text it offers as plain text.
  if (data->hasFormat(kPlainTextMime)) return data->data(kPlainTextMime).toStdString();
  return SystemPlainBytes(*data);
}

std::optional<std::u16string> QtClipboard::UnicodeText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return std::nullopt;
  // Several browsers and toolkits offer UTF-8 text alone, without the plain type.
  if (data->hasText() || data->hasFormat(kUtf8TextMime)) return data->text().toStdU16String();
  if (data->hasHtml())
    return QTextDocumentFragment::fromHtml(data->html()).toPlainText().toStdU16String();
  return std::nullopt;
}

#endif

}  // namespace norumi
