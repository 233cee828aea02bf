#include "platform/text/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/text/Cp932Codec.h"

namespace norumi {

#ifdef _WIN32

// Windows converts with its own code page 932: a Qt built without ICU has no CP932 codec.
QString FromCp932(const std::string& bytes) {
  return QString::fromStdU16String(Cp932ToUtf16(bytes));
}

std::optional<QString> FromCp932Exactly(const std::string& bytes) {
  const std::optional<std::u16string> text = Cp932ToUtf16Exactly(bytes);
  if (!text) return std::nullopt;
  return QString::fromStdU16String(*text);
}

std::optional<std::string> ToCp932(const QString& text) {
  return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.constData()),
                                          size_t(text.size())));
}

#else

namespace {

constexpr const char* kCodec = "windows-31j";

QString FoldedForCp932(const QString& text) {
  QString folded = text;
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

QString FromCp932(const std::string& bytes) {
  QStringDecoder& decoder = ReusedConverter<QStringDecoder, QStringConverter::Flag::Default>();
  return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<QString> FromCp932Exactly(const std::string& bytes) {
  QStringDecoder& decoder = ReusedConverter<QStringDecoder, QStringConverter::Flag::Stateless>();
  QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  // A lead byte without its trail would be dropped, and bytes the codec maps alike would give
  // one text: only text that encodes back to the very same bytes stands for them alone.
  if (decoder.hasError() || ToCp932(text) != bytes) return std::nullopt;
  return text;
}

std::optional<std::string> ToCp932(const QString& text) {
  QStringEncoder& encoder = ReusedConverter<QStringEncoder, QStringConverter::Flag::Stateless>();
  const QByteArray bytes = encoder.encode(FoldedForCp932(text));
  if (encoder.hasError()) return std::nullopt;
  return std::string(bytes.constData(), size_t(bytes.size()));
}

#endif

qsizetype FirstNonCp932(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (!ToCp932(text.mid(i, length))) return i;
    i += length;
  }
  return -1;
}

}  // namespace norumi
