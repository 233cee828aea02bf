// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace norumi {

// Reads and writes a fixed-size block of bytes as a whole file.
class TCommonSaver {
 public:
  // Fills `buffer` with 0, then with as many bytes of the file as it holds, from its start; a
  // file that is no regular file or is unreadable or huge leaves it all 0. Returns -1 when there
  // is no such file (the buffer stays all 0), else 0.
  static int ReadBlock(const std::filesystem::path& file, std::span<uint8_t> buffer);
  // Replaces the file with the block; the old file stays when that fails. Returns 0 or -1.
  static int WriteBlock(const std::filesystem::path& file, std::span<const uint8_t> buffer);
};

// The copy and paste forms: 0 Unicode text, 1 EUC-KR, 2 decimal and 3 hexadecimal references.
struct TPattern {
  int32_t CopyPattern = 0;
  int32_t ClearOnCopy = 0;
  int32_t PastePattern = 0;
  int32_t ClearOnPaste = 0;
  bool operator==(const TPattern&) const = default;
};

// The 24 bytes of pomnor.dat: a reserved value, the pattern record, another reserved value.
struct TSettingsBlock {
  static constexpr size_t kSize = 24;
  int32_t Reserved0 = 0;
  TPattern Pattern;
  int32_t Reserved1 = 0;

  // Missing file: all 0; a short file fills only its part.
  static TSettingsBlock Read(const std::filesystem::path& file);
  int Write(const std::filesystem::path& file) const;
};

}  // namespace norumi
