// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Tsv.h"

#include <QStringDecoder>
#include <cstring>
#include <optional>

#include "exchange/TextEscapes.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace norumi {

void AppendTsvEscaped(std::string_view utf8, bool startsLine, std::string& out) {
  if (startsLine && !utf8.empty() && utf8.front() == '#') out += '\\';
  size_t plain = 0;  // the start of the bytes not yet appended, which need no escape
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char letter = TsvEscapeLetter(char16_t(uint8_t(utf8[i])));
    if (letter == 0) continue;
    out.append(utf8, plain, i - plain);
    out += '\\';
    out += letter;
    plain = i + 1;
  }
  out.append(utf8, plain);
}

void AppendTsvFieldFromCp932(std::string_view cp932, std::string& out) {
#ifndef _WIN32
  if (cp932::AppendDecodedUtf8(cp932, out, kTsvAscii)) return;
#endif
  thread_local std::string plain;
  plain.clear();
  AppendUtf8FromCp932(cp932, plain);
  AppendTsvEscaped(plain, false, out);
}

char* PutTsvFieldFromCodes(char* at, const CodeView& codes, bool startsLine) {
  bool first = startsLine;
  for (size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == 0) continue;
    const auto unit = char16_t(codes[i] & 0xFFFF);
    if (unit >= 0xD800 && unit <= 0xDFFF) return nullptr;
    if (first && unit == '#') *at++ = '\\';
    first = false;
    if (const char letter = TsvEscapeLetter(unit)) {
      *at++ = '\\';
      *at++ = letter;
    } else {
      at = PutUtf8(at, unit);
    }
  }
  return at;
}

void AppendTsvFieldFromCodes(const CodeView& codes, bool startsLine, std::string& out) {
  const size_t start = out.size();
  out.resize(start + codes.size() * 3 + 1);
  if (char* const end = PutTsvFieldFromCodes(out.data() + start, codes, startsLine)) {
    out.resize(size_t(end - out.data()));
    return;
  }
  out.resize(start);
  // A surrogate, paired or not, is left to Qt and its way with a lone one. The escapes are
  // ASCII, which UTF-8 keeps as it is: escaping after encoding is alike.
  thread_local std::u16string text;
  text.clear();
  AppendUnicodeText(codes, text);
  AppendTsvEscaped(QString::fromStdU16String(text).toStdString(), startsLine, out);
}

QString UnescapeTsvField(const QString& text) {
  if (!text.contains(QChar('\\'))) return text;
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

bool IsBlank(QStringView line) {
  return std::all_of(line.begin(), line.end(), [](QChar c) { return c == QChar(' '); });
}

// Decodes UTF-8 that is plainly valid to UTF-16 at `out`, which has room for a unit a byte;
// gives the units written. Gives -1 on anything else, for Qt's decoder to judge: bytes that are
// not UTF-8, characters beyond the BMP, and the BOM and the noncharacters, which decoders may
// each treat their own way.
qsizetype DecodePlainUtf8(std::string_view bytes, char16_t* out) {
  char16_t* const start = out;
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto* const end = p + bytes.size();
  while (p < end) {
    if (end - p >= 8) {
      uint64_t eight;
      std::memcpy(&eight, p, 8);
      if ((eight & 0x8080808080808080u) == 0) {
        for (int i = 0; i < 8; ++i) out[i] = p[i];
        p += 8, out += 8;
        continue;
      }
    }
    const uint8_t lead = *p;
    if (lead < 0x80) {
      *out++ = lead, ++p;
    } else if (lead >= 0xC2 && lead < 0xE0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
      *out++ = char16_t(((lead & 0x1F) << 6) | (p[1] & 0x3F)), p += 2;
    } else if (lead >= 0xE0 && lead < 0xF0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 &&
               (p[2] & 0xC0) == 0x80) {
      const char16_t c = char16_t(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
      const bool plain = c >= 0x800 && (c < 0xD800 || c > 0xDFFF) && (c < 0xFDD0 || c > 0xFDEF) &&
                         c != 0xFEFF && c < 0xFFFE;
      if (!plain) return -1;
      *out++ = c, p += 3;
    } else {
      return -1;
    }
  }
  return out - start;
}

}  // namespace

void ForEachTsvRow(std::string_view utf8, std::vector<TsvBadLine>& bad, const TakeTsvRow& take,
                   int linesBefore) {
  if (linesBefore == 0 && utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  int number = linesBefore;
  std::optional<QStringDecoder> decoder;
  // Kept from line to line, so that a line costs no allocation of its own.
  QString line;
  std::vector<QString> unescaped;
  std::vector<QStringView> columns;
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
    line.resize(qsizetype(bytes.size()));
    const qsizetype plain = DecodePlainUtf8(bytes, reinterpret_cast<char16_t*>(line.data()));
    if (plain >= 0) {
      line.truncate(plain);
    } else {
      // One decoder for every line until one is refused: it then stays marked with the error.
      if (!decoder || decoder->hasError())
        decoder.emplace(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
      const QByteArrayView input(bytes.data(), qsizetype(bytes.size()));
      line.resize(decoder->requiredSpace(input.size()));
      line.truncate(decoder->appendToBuffer(line.data(), input) - line.constData());
      if (decoder->hasError()) {
        bad.push_back({number, false});
        continue;
      }
    }
    if (line.startsWith(QChar('#')) || IsBlank(line)) continue;
    columns.clear();
    for (qsizetype from = 0;;) {
      const qsizetype tab = line.indexOf(QChar('\t'), from);
      QStringView column = QStringView(line).mid(from, tab < 0 ? -1 : tab - from);
      if (column.contains(QChar('\\'))) {
        if (unescaped.size() <= columns.size()) unescaped.resize(columns.size() + 1);
        unescaped[columns.size()] = UnescapeTsvField(column.toString());
        column = unescaped[columns.size()];
      }
      columns.push_back(column);
      if (tab < 0) break;
      from = tab + 1;
    }
    take(number, columns);
  }
}

}  // namespace norumi
