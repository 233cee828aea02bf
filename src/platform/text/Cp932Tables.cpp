// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/Cp932Tables.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "platform/text/Cp932Codec.h"
#include "platform/text/Utf8.h"

namespace norumi::cp932 {

namespace {

static_assert(std::endian::native == std::endian::little, "UTF-8 is packed lowest byte first");

// What the codec gives for each byte alone and for each byte pair, read off the codec itself the
// first time a text is converted, so that decoding a text is a lookup per character. A byte or
// pair the codec does not decode to one character of its own is marked kUnknown, and a text that
// holds one is left to the codec whole: the result is always what the codec gives.
class DecodeTable {
 public:
  static constexpr char16_t kUnknown = 0xFFFF;  // a noncharacter: no byte sequence stands for it

  static const DecodeTable& Get() {
    static const DecodeTable table;
    return table;
  }

  // Appends the UTF-8 of `bytes`; false, leaving `out` as it was, as Decode.
  bool DecodeUtf8(std::string_view bytes, std::string& out, const AsciiForms& ascii) const {
    // A short text is written on the stack and appended, a long one straight into `out`.
    constexpr size_t kShort = 256;
    if (bytes.size() <= kShort) {
      char buffer[kShort * kUtf8PerByte];
      char* const end = DecodeUtf8To(buffer, bytes, ascii);
      if (end) out.append(buffer, size_t(end - buffer));
      return end != nullptr;
    }
    const size_t start = out.size();
    out.resize(start + bytes.size() * kUtf8PerByte);
    char* const end = DecodeUtf8To(out.data() + start, bytes, ascii);
    out.resize(end ? size_t(end - out.data()) : start);
    return end != nullptr;
  }

  // Writes the UTF-8 of `bytes` at `at`; the end of what it wrote, or null at a sequence the
  // table does not know.
  char* DecodeUtf8To(char* at, std::string_view bytes, const AsciiForms& ascii) const {
    // Kept in a local: the bytes written could otherwise be anything the loop reads.
    const uint32_t* const utf8 = utf8_.data();
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
      // A character with one store of four bytes, which the room of kUtf8PerByte bytes a byte
      // always has; an ASCII character the caller writes otherwise in its form. The lowest byte
      // tells them apart: the character itself, or a UTF-8 lead byte, which no form changes.
      const uint32_t packed = utf8[Next(p, end)];
      if (packed == 0) return nullptr;
      if (ascii.Changes(uint8_t(packed))) [[unlikely]] {
        const AsciiForms::Form& form = ascii[char(packed)];
        std::memcpy(at, form.bytes, sizeof form.bytes);
        at += form.size;
        continue;
      }
      std::memcpy(at, &packed, 4);
      at += packed >> 24;
    }
    return at;
  }

  // False, leaving `out` as it was, at the first sequence the table does not know.
  bool Decode(std::string_view bytes, std::u16string& out) const {
    const size_t start = out.size();
    out.resize(start + bytes.size());  // never more characters than bytes
    char16_t* at = out.data() + start;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p != end) {
      const char16_t c = chars_[Next(p, end)];
      if (c == kUnknown) {
        out.resize(start);
        return false;
      }
      *at++ = c;
    }
    out.resize(size_t(at - out.data()));
    return true;
  }

 private:
  // Where in chars_ the character that starts at `p` is, which it passes: one byte, or a lead
  // byte and its trail.
  size_t Next(const uint8_t*& p, const uint8_t* end) const {
    const size_t start = start_[*p++];
    if (start < 256) return start;
    return p == end ? kCut : start + *p++;
  }

  static bool IsLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

  DecodeTable() : chars_(kCut + 1, kUnknown) {
    for (int b = 0, row = 0; b < 256; ++b)
      start_[b] = IsLead(uint8_t(b)) ? uint16_t(256 + 256 * row++) : uint16_t(b);
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    const auto one = [](const QString& text) {
      return text.size() == 1 && !text.at(0).isSurrogate() &&
                     text.at(0) != QChar::ReplacementCharacter
                 ? text.at(0).unicode()
                 : kUnknown;
    };
    for (int b = 0; b < 256; ++b) {
      if (IsLead(uint8_t(b))) continue;
      const char byte = char(b);
      chars_[b] = one(decoder.decode(QByteArrayView(&byte, 1)));
      if (decoder.hasError()) decoder = QStringDecoder(kCodec, QStringConverter::Flag::Stateless);
    }
    // Each lead byte with every trail byte, pairs apart by line breaks: a line break is never a
    // trail byte, so a pair the codec refuses cannot take its neighbour with it.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLead(uint8_t(lead))) continue;
      QByteArray run;
      for (int trail = 0; trail < 256; ++trail)
        if (trail != '\n') run.append(char(lead)).append(char(trail)).append('\n');
      const QString text = decoder.decode(run);
      if (decoder.hasError()) decoder = QStringDecoder(kCodec, QStringConverter::Flag::Stateless);
      const QStringList parts = text.split(QChar('\n'));
      if (parts.size() != 256) continue;  // the codec split them otherwise: leave the row unknown
      for (int trail = 0, part = 0; trail < 256; ++trail)
        if (trail != '\n') chars_[start_[lead] + trail] = one(parts[part++]);
    }
    utf8_.reserve(chars_.size());
    for (const char16_t c : chars_) utf8_.push_back(PackedUtf8(c));
  }

  // The UTF-8 of `c`, its bytes from the lowest on and their count in the highest byte; 0 for
  // kUnknown. The lowest byte of an ASCII character is the character.
  static uint32_t PackedUtf8(char16_t c) {
    if (c == kUnknown) return 0;
    char bytes[3] = {};
    const auto length = uint32_t(PutUtf8(bytes, c) - bytes);
    uint32_t packed = 0;
    std::memcpy(&packed, bytes, 3);
    return packed | length << 24;
  }

  // Where the characters of each byte start in chars_: a byte that stands alone at itself, a
  // lead byte at its row of 256 trail bytes, at 256 or after.
  uint16_t start_[256];
  // The character of each byte alone, then of each lead byte with each trail byte, then
  // kUnknown for a lead byte that ends a text.
  static constexpr size_t kCut = 256 + 60 * 256;
  std::vector<char16_t> chars_;
  // The same as PackedUtf8, to write a character with one store.
  std::vector<uint32_t> utf8_;
};

// What the codec writes for each character alone, read off the codec a block of 256 characters
// at a time, the first time a text holds one of the block. A character is held only when its
// bytes decode back to it; a text with any other is left to the codec whole, so the result is
// always the codec's. One table per thread, as the codecs are.
class EncodeTable {
 public:
  static EncodeTable& Get() {
    thread_local EncodeTable table;
    return table;
  }

  // False, leaving `out` as it was, at the first character the table does not hold.
  bool Encode(QStringView text, std::string& out) {
    const size_t start = out.size();
    for (const QChar c : text) {
      const uint16_t bytes = Code(c.unicode());
      if (bytes == 0) {
        out.resize(start);
        return false;
      }
      if (bytes >= 0x8100) out += char(bytes >> 8);
      out += char(bytes & 0xFF);
    }
    return true;
  }

 private:
  EncodeTable() : codes_(65536, 0) {}

  // The bytes of a character: 0x100 and a single byte, or a lead byte (0x81 or more) and a
  // trail byte; 0 for a character not held.
  uint16_t Code(char16_t c) {
    if (!built_[c >> 8]) Build(c >> 8);
    return codes_[c];
  }

  void Build(int block) {
    built_[block] = true;
    // The block's characters, each followed by a line break: a line break is no byte of any
    // other character's bytes, so the codec's output splits back apart. The line break itself
    // is asked alone.
    QString chars;
    for (int c = block * 256; c < block * 256 + 256; ++c)
      if ((c < 0xD800 || c > 0xDFFF) && c != '\n') chars.append(QChar(char16_t(c))).append('\n');
    Take(chars);
    if (block == 0) Take(QStringLiteral("\n\n"));
    // The signs typed in other forms are written as the forms they are folded to.
    for (int c = block * 256; c < block * 256 + 256; ++c)
      if (const char16_t to = FoldForCp932(char16_t(c)); to != c) codes_[c] = Code(to);
  }

  // Encodes `chars`, every other one a line break, and keeps the bytes of each character that
  // decode back to it.
  void Take(const QString& chars) {
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(chars);
    qsizetype at = 0;
    for (qsizetype i = 0; i < chars.size() && at < bytes.size(); i += 2) {
      const qsizetype end = bytes.indexOf('\n', at + (chars.at(i) == QChar('\n') ? 1 : 0));
      if (end < 0) break;
      const std::string_view part(bytes.constData() + at, size_t(end - at));
      at = end + 1;
      std::u16string back;
      if (part.empty() || part.size() > 2 || !DecodeTable::Get().Decode(part, back) ||
          back != std::u16string(1, chars.at(i).unicode()))
        continue;
      codes_[chars.at(i).unicode()] = part.size() == 1
                                          ? uint16_t(0x100 | uint8_t(part[0]))
                                          : uint16_t(uint8_t(part[0]) << 8 | uint8_t(part[1]));
    }
  }

  std::vector<uint16_t> codes_;
  std::array<bool, 256> built_{};
};

}  // namespace

bool AppendDecoded(std::string_view bytes, std::u16string& out) {
  return DecodeTable::Get().Decode(bytes, out);
}

bool AppendDecodedUtf8(std::string_view bytes, std::string& out, const AsciiForms& ascii) {
  return DecodeTable::Get().DecodeUtf8(bytes, out, ascii);
}

char* DecodeUtf8To(char* at, std::string_view bytes, const AsciiForms& ascii) {
  return DecodeTable::Get().DecodeUtf8To(at, bytes, ascii);
}

bool AppendEncoded(QStringView text, std::string& out) {
  return EncodeTable::Get().Encode(text, out);
}

}  // namespace norumi::cp932
