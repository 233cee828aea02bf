// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MailCode.h"

#include <algorithm>

#include "model/TangoList.h"

namespace norumi {

namespace {

constexpr std::string_view kCreator = "$001", kTitle = "$002", kHomeUrl = "$003";
constexpr std::string_view kJapan = "$100", kHangul = "$101", kSetsumei = "$102", kUrl = "$103";

char Letter(int value) {
  return kMailCodeAlphabet[value];
}

void AppendDigits(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  out.append(width - digits.size(), '0');
  out += digits;
}

// Appends the marker, the encoded field cut into 70-character lines, and the marker again.
void AppendBlock(TextLines& lines, std::string_view marker, const std::string& encoded) {
  lines.emplace_back(marker);
  if (encoded.empty()) lines.emplace_back();
  for (size_t at = 0; at < encoded.size(); at += kMailCodeLineWidth)
    lines.push_back(encoded.substr(at, kMailCodeLineWidth));
  lines.emplace_back(marker);
}

bool HasZeroByte(const std::string& text) {
  return text.find('\0') != std::string::npos;
}

// A quotient: decimal digits only.
bool ParseQuotient(std::string_view text, int& value) {
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// Gathers the block that opens at lines.front() == marker. On success `data` holds the data
// characters and the closing marker is the first line left.
int GatherBlock(TextLines& lines, std::string_view marker, std::string& data, int endedEarly) {
  data.clear();
  for (;;) {
    lines.pop_front();
    if (lines.empty()) return endedEarly;
    if (lines.front() == marker) return kMailCodeOk;
    data += lines.front();
  }
}

// Decodes text units of three characters into bytes, dropping zero bytes.
int DecodeText(std::string_view data, std::string& field) {
  field.clear();
  for (size_t at = 0; at < data.size(); at += 3) {
    // A unit cut short by the closing marker fails on the marker's '$'.
    const std::string_view unit = data.substr(at, 3);
    int q = 0;
    if (unit.size() < 2 || !ParseQuotient(unit.substr(0, 2), q)) return kMailCodeBadNumber;
    const auto r = unit.size() < 3 ? std::string_view::npos : kMailCodeAlphabet.find(unit[2]);
    if (r == std::string_view::npos) return kMailCodeBadLetter;
    const int byte = (q * 62 + static_cast<int>(r) + 129) % 256;
    if (byte != 0) field += static_cast<char>(byte);
  }
  return kMailCodeOk;
}

int DecodeCodes(std::string_view data, HangulCodes& field) {
  field.clear();
  for (size_t at = 0; at < data.size(); at += 4) {
    const std::string_view unit = data.substr(at, 4);
    int q = 0;
    if (unit.size() < 3 || !ParseQuotient(unit.substr(0, 3), q)) return kMailCodeBadNumber;
    const auto r = unit.size() < 4 ? std::string_view::npos : kMailCodeAlphabet.find(unit[3]);
    if (r == std::string_view::npos) return kMailCodeBadLetter;
    field.push_back(q * 62 + static_cast<int>(r));
  }
  return kMailCodeOk;
}

// Reads one block whose marker must be the first line, then drops its closing marker.
template <typename Field, typename Decode>
int ReadBlock(TextLines& lines, std::string_view marker, Field& field, int endedEarly,
              Decode decode) {
  if (lines.empty()) return kMailCodeEnded;
  if (lines.front() != marker) return kMailCodeBadMarker;
  std::string data;
  int result = GatherBlock(lines, marker, data, endedEarly);
  if (result == kMailCodeOk) result = decode(data, field);
  if (result == kMailCodeOk) lines.pop_front();
  return result;
}

int ReadText(TextLines& lines, std::string_view marker, std::string& field, int endedEarly) {
  return ReadBlock(lines, marker, field, endedEarly, DecodeText);
}

}  // namespace

std::string EncodeMailText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (unsigned char byte : bytes) {
    const int v = (byte + 127) % 256;
    AppendDigits(out, v / 62, 2);
    out += Letter(v % 62);
  }
  return out;
}

std::string EncodeMailCodes(const HangulCodes& codes) {
  std::string out;
  out.reserve(codes.size() * 4);
  for (int32_t code : codes) {
    AppendDigits(out, code / 62, 3);
    out += Letter(code % 62);
  }
  return out;
}

std::string MailCodeOpeningLine() {
  // 50 hyphens, "↓ここから", 10 hyphens.
  return std::string(50, '-') + "\x81\xAB\x82\xB1\x82\xB1\x82\xA9\x82\xE7" + std::string(10, '-');
}

std::string MailCodeClosingLine() {
  return "- " + std::string(kMailCodeHomePage) + " <-Norumi!!  \x81\xAA------";
}

int WriteIssuedCode(const TTangoList& list, const TTango& entry, TextLines& lines) {
  TextLines issued{MailCodeOpeningLine()};
  int result = list.HeaderToMailCode(issued);
  if (result == kMailCodeOk) result = entry.ToMailCode(issued);
  if (result != kMailCodeOk) return result;
  issued.push_back(MailCodeClosingLine());
  lines.insert(lines.end(), issued.begin(), issued.end());
  return kMailCodeOk;
}

int TTangoList::HeaderToMailCode(TextLines& lines) const {
  if (HasZeroByte(Creator) || HasZeroByte(Title) || HasZeroByte(Url)) return kMailCodeZeroByte;
  AppendBlock(lines, kCreator, EncodeMailText(Creator));
  AppendBlock(lines, kTitle, EncodeMailText(Title));
  AppendBlock(lines, kHomeUrl, EncodeMailText(Url));
  return kMailCodeOk;
}

int TTango::ToMailCode(TextLines& lines) const {
  if (HasZeroByte(Japan) || HasZeroByte(Setsumei) || HasZeroByte(Url)) return kMailCodeZeroByte;
  const bool inRange = std::all_of(Hangul.begin(), Hangul.end(),
                                   [](int32_t c) { return c >= 0 && c <= kMailCodeMaxCode; });
  if (!inRange) return kMailCodeCodeRange;
  AppendBlock(lines, kJapan, EncodeMailText(Japan));
  AppendBlock(lines, kHangul, EncodeMailCodes(Hangul));
  AppendBlock(lines, kSetsumei, EncodeMailText(Setsumei));
  AppendBlock(lines, kUrl, EncodeMailText(Url));
  lines.emplace_back(DisplayOnly ? "1" : "0");
  return kMailCodeOk;
}

int TTangoList::HeaderFromMailCode(TextLines& lines) {
  while (!lines.empty() && lines.front() != kCreator) lines.pop_front();
  if (lines.empty()) return kMailCodeBadMarker;
  int result = ReadText(lines, kCreator, Creator, kMailCodeBadNumber);
  if (result == kMailCodeOk) result = ReadText(lines, kTitle, Title, kMailCodeEnded);
  if (result == kMailCodeOk) result = ReadText(lines, kHomeUrl, Url, kMailCodeEnded);
  return result;
}

int TTango::FromMailCode(TextLines& lines) {
  int result = ReadText(lines, kJapan, Japan, kMailCodeEnded);
  if (result == kMailCodeOk)
    result = ReadBlock(lines, kHangul, Hangul, kMailCodeEnded, DecodeCodes);
  if (result == kMailCodeOk) result = ReadText(lines, kSetsumei, Setsumei, kMailCodeEnded);
  if (result == kMailCodeOk) result = ReadText(lines, kUrl, Url, kMailCodeEnded);
  if (result != kMailCodeOk) return result;
  if (lines.empty()) return kMailCodeEnded;
  DisplayOnly = lines.front() == "1";
  lines.pop_front();
  return kMailCodeOk;
}

}  // namespace norumi
