// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the EUC-KR table: every two-byte KS X 1001 code (lead and trail bytes 0xA1 to 0xFE)
// that the machine's EUC-KR codec decodes, without error, to exactly one BMP character outside
// the Private Use Area. ICU parks the two user-defined rows (leads 0xC9 and 0xFE) there; they
// are no characters of the standard and no other program would show them as we do. To these come
// the two signs the standard gained in 1998, which ICU lacks and Windows' code page 949 reads: the
// table is the same EUC-KR that programs on Windows write. The file is an
// int32 count, then per entry the EUC-KR code and the Unicode value as uint16, all little-endian,
// in ascending EUC-KR order.
#include <QSaveFile>
#include <QStringDecoder>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Entry {
  uint16_t euc, uni;
};

// KS X 1001:1998: the euro sign and the registered sign.
constexpr Entry kAmended[] = {{0xA2E6, 0x20AC}, {0xA2E7, 0x00AE}};

std::vector<Entry> DecodeAll() {
  std::vector<Entry> entries;
  for (int lead = 0xA1; lead <= 0xFE; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      // A decoder per pair, so that no state or error carries over from the pair before.
      QStringDecoder decoder("EUC-KR", QStringConverter::Flag::Stateless);
      const char bytes[] = {char(lead), char(trail)};
      const QString text = decoder(QByteArrayView(bytes, 2));
      const auto euc = uint16_t(lead << 8 | trail);
      if (decoder.hasError() || text.size() != 1 || text[0].isSurrogate() ||
          text[0] == QChar::ReplacementCharacter || text[0].category() == QChar::Other_PrivateUse) {
        for (const Entry& amended : kAmended)
          if (amended.euc == euc) entries.push_back(amended);
        continue;
      }
      entries.push_back({euc, text[0].unicode()});
    }
  }
  return entries;
}

void Put16(QByteArray& out, uint16_t value) {
  out.append(char(value & 0xFF));
  out.append(char(value >> 8));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: euc2uni_gen OUTPUT\n");
    return 2;
  }
  if (!QStringDecoder("EUC-KR").isValid()) {
    std::fprintf(stderr, "euc2uni_gen: this Qt has no EUC-KR codec (it needs ICU)\n");
    return 1;
  }
  const std::vector<Entry> entries = DecodeAll();
  QByteArray out;
  const auto count = uint32_t(entries.size());
  Put16(out, uint16_t(count & 0xFFFF));
  Put16(out, uint16_t(count >> 16));
  for (const Entry& entry : entries) {
    Put16(out, entry.euc);
    Put16(out, entry.uni);
  }
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
    std::fprintf(stderr, "euc2uni_gen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu entries\n", entries.size());
  return 0;
}
