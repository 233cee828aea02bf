#include "platform/text/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <utility>

namespace norumi {

namespace {

constexpr const char* kCodec = "windows-31j";

// Characters that Japanese input methods and fonts on Linux produce for the signs CP932 holds
// under other code points (the JIS and the Windows mappings of the same byte pairs differ). They
// are folded to the code points CP932 maps, so that 〜から typed on Linux is the ～から of a word
// file written on Windows.
constexpr std::pair<char16_t, char16_t> kFolds[] = {
    {u'\u301C', u'\uFF5E'},  // 〜 WAVE DASH -> ～ (81 60)
    {u'\u2212', u'\uFF0D'},  // − MINUS SIGN -> － (81 7C)
    {u'\u2014', u'\u2015'},  // — EM DASH -> ― (81 5C)
    {u'\u2016', u'\u2225'},  // ‖ DOUBLE VERTICAL LINE -> ∥ (81 61)
    {u'\u00A2', u'\uFFE0'},  // ¢ -> ￠ (81 91)
    {u'\u00A3', u'\uFFE1'},  // £ -> ￡ (81 92)
    {u'\u00AC', u'\uFFE2'},  // ¬ -> ￢ (81 CA)
};

QString FoldForCp932(const QString& text) {
  QString folded = text;
  for (QChar& c : folded) {
    for (const auto& [from, to] : kFolds) {
      if (c.unicode() == from) c = QChar(to);
    }
  }
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
  const QByteArray bytes = encoder.encode(FoldForCp932(text));
  if (encoder.hasError()) return std::nullopt;
  return std::string(bytes.constData(), size_t(bytes.size()));
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
