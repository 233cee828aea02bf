#include "platform/text/Tsv.h"

#include <QStringDecoder>
#include <algorithm>

namespace norumi {

QString EscapeTsvField(const QString& text, bool startsLine) {
  QString out;
  out.reserve(text.size());
  if (startsLine && text.startsWith(QChar('#'))) out += QChar('\\');
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '\\':
        out += QStringLiteral("\\\\");
        break;
      case '\t':
        out += QStringLiteral("\\t");
        break;
      case '\n':
        out += QStringLiteral("\\n");
        break;
      case '\r':
        out += QStringLiteral("\\r");
        break;
      default:
        out += c;
    }
  }
  return out;
}

QString UnescapeTsvField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
    if (text.at(i) != QChar('\\') || !QStringLiteral("\\tnr#").contains(next) || next.isNull()) {
      out += text.at(i);
      continue;
    }
    ++i;
    switch (next.unicode()) {
      case 't':
        out += QChar('\t');
        break;
      case 'n':
        out += QChar('\n');
        break;
      case 'r':
        out += QChar('\r');
        break;
      default:
        out += next;
    }
  }
  return out;
}

namespace {

bool IsBlank(const QString& line) {
  return std::all_of(line.begin(), line.end(), [](QChar c) { return c == QChar(' '); });
}

}  // namespace

std::vector<TsvRow> ParseTsv(std::string_view utf8, std::vector<TsvBadLine>& bad) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  std::vector<TsvRow> rows;
  int number = 0;
  while (!utf8.empty()) {
    const size_t end = utf8.find('\n');
    std::string_view bytes = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    ++number;
    if (bytes.find('\0') != std::string_view::npos) {
      bad.push_back({number, true});
      continue;
    }
    if (bytes.ends_with('\r')) bytes.remove_suffix(1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString line = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) {
      bad.push_back({number, false});
      continue;
    }
    if (line.startsWith(QChar('#')) || IsBlank(line)) continue;
    TsvRow row{number, {}};
    for (const QString& column : line.split(QChar('\t'))) row.columns << UnescapeTsvField(column);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace norumi
