#include "platform/text/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace norumi {

namespace {
constexpr const char* kCodec = "windows-31j";
}

QString FromCp932(const std::string& bytes) {
  QStringDecoder decoder(kCodec);
  return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> ToCp932(const QString& text) {
  QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
  const QByteArray bytes = encoder.encode(text);
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
