// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "platform/text/Cp932Codec.h"
#include "platform/text/Cp932Tables.h"

namespace norumi {

#ifdef _WIN32

// Windows converts with its own code page 932: a Qt built without ICU has no CP932 codec.
void AppendFromCp932(std::string_view bytes, std::u16string& out) {
  out += Cp932ToUtf16(bytes);
}

void AppendUtf8FromCp932(std::string_view bytes, std::string& utf8) {
  utf8 += QString::fromStdU16String(Cp932ToUtf16(bytes)).toStdString();
}

QString FromCp932(const std::string& bytes) {
  return QString::fromStdU16String(Cp932ToUtf16(bytes));
}

std::optional<QString> FromCp932Exactly(const std::string& bytes) {
  const std::optional<std::u16string> text = Cp932ToUtf16Exactly(bytes);
  if (!text) return std::nullopt;
  return QString::fromStdU16String(*text);
}

bool AppendCp932(QStringView text, std::string& out) {
  const std::optional<std::string> bytes = Utf16ToCp932(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), size_t(text.size())));
  if (bytes) out += *bytes;
  return bytes.has_value();
}

#else

namespace {

using cp932::kCodec;

QString FoldedForCp932(QStringView text) {
  QString folded = text.toString();
  for (QChar& c : folded) c = QChar(FoldForCp932(c.unicode()));
  return folded;
}

// Opening a codec by name costs far more than converting a word with it, so each thread opens
// each kind once and reuses it. Qt's reset forgets a cut sequence but not that an error was seen,
// so a codec that saw one is opened anew. In place: the codec reports its errors to the address
// it was opened at, so a moved one would report them nowhere.
template <typename Converter, QStringConverter::Flag kFlags>
Converter& ReusedConverter() {
  thread_local std::optional<Converter> converter;
  if (!converter || converter->hasError())
    converter.emplace(kCodec, kFlags);
  else
    converter->resetState();
  return *converter;
}

}  // namespace

void AppendFromCp932(std::string_view bytes, std::u16string& out) {
  if (cp932::AppendDecoded(bytes, out)) return;
  QStringDecoder& decoder = ReusedConverter<QStringDecoder, QStringConverter::Flag::Default>();
  const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  out.append(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

void AppendUtf8FromCp932(std::string_view bytes, std::string& utf8) {
  if (cp932::AppendDecodedUtf8(bytes, utf8)) return;
  std::u16string text;
  AppendFromCp932(bytes, text);
  utf8 += QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

QString FromCp932(const std::string& bytes) {
  thread_local std::u16string text;
  text.clear();
  AppendFromCp932(bytes, text);
  return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

std::optional<QString> FromCp932Exactly(const std::string& bytes) {
  QStringDecoder& decoder = ReusedConverter<QStringDecoder, QStringConverter::Flag::Stateless>();
  QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  // A lead byte without its trail would be dropped, and bytes the codec maps alike would give
  // one text: only text that encodes back to the very same bytes stands for them alone.
  if (decoder.hasError() || ToCp932(text) != bytes) return std::nullopt;
  return text;
}

bool AppendCp932(QStringView text, std::string& out) {
  if (cp932::AppendEncoded(text, out)) return true;
  QStringEncoder& encoder = ReusedConverter<QStringEncoder, QStringConverter::Flag::Stateless>();
  const QByteArray bytes = encoder.encode(FoldedForCp932(text));
  if (encoder.hasError()) return false;
  out.append(bytes.constData(), size_t(bytes.size()));
  return true;
}

#endif

std::optional<std::string> ToCp932(QStringView text) {
  std::string bytes;
  if (!AppendCp932(text, bytes)) return std::nullopt;
  return bytes;
}

qsizetype FirstNonCp932(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (!ToCp932(text.mid(i, length))) return i;
    i += length;
  }
  return -1;
}

}  // namespace norumi
