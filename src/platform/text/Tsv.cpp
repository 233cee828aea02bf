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

namespace {

bool HasSurrogate(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; });
}

// UTF-8 of text without surrogates, each of `escaped`'s characters written as its escape.
template <typename Escape>
void EncodeUtf8(std::u16string_view text, std::string& out, Escape escaped) {
  for (const char16_t c : text) {
    if (const char* escape = escaped(c)) {
      out += escape;
    } else if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      const char bytes[] = {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
      out.append(bytes, 2);
    } else {
      const char bytes[] = {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)),
                            char(0x80 | (c & 0x3F))};
      out.append(bytes, 3);
    }
  }
}

const char* TsvEscape(char16_t c) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '\t':
      return "\\t";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    default:
      return nullptr;
  }
}

}  // namespace

void AppendUtf8(std::u16string_view text, std::string& utf8) {
  // Surrogates, paired or not, are rare enough to leave to Qt and its way with a lone one.
  if (HasSurrogate(text)) {
    utf8 += QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
    return;
  }
  EncodeUtf8(text, utf8, [](char16_t) -> const char* { return nullptr; });
}

void AppendTsvField(std::u16string_view text, bool startsLine, std::string& utf8) {
  if (HasSurrogate(text)) {
    const QString field = QString::fromUtf16(text.data(), qsizetype(text.size()));
    utf8 += EscapeTsvField(field, startsLine).toStdString();
    return;
  }
  if (startsLine && !text.empty() && text.front() == u'#') utf8 += '\\';
  EncodeUtf8(text, utf8, TsvEscape);
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
