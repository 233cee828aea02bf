// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/CommonSaver.h"

#include <algorithm>

#include "model/ByteStream.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

constexpr uint64_t kMaxBlockFile = 65536;

}  // namespace

int TCommonSaver::ReadBlock(const std::filesystem::path& file, std::span<uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return -1;
  try {
    // Read before every copy and paste: a pipe or a device in its place must not keep the window
    // waiting, and a huge file is no block of ours.
    const std::string bytes = ReadWholeFile(file, kMaxBlockFile);
    std::copy_n(bytes.begin(), std::min(bytes.size(), buffer.size()), buffer.begin());
  } catch (const EFileError&) {
  }
  return 0;
}

int TCommonSaver::WriteBlock(const std::filesystem::path& file, std::span<const uint8_t> buffer) {
  try {
    SaveFileReplacing(file, {reinterpret_cast<const char*>(buffer.data()), buffer.size()});
    return 0;
  } catch (const EFileError&) {
    return -1;
  }
}

TSettingsBlock TSettingsBlock::Read(const std::filesystem::path& file) {
  uint8_t bytes[kSize];
  TCommonSaver::ReadBlock(file, bytes);
  ByteReader in({reinterpret_cast<const char*>(bytes), kSize});
  TSettingsBlock block;
  for (int32_t* field :
       {&block.Reserved0, &block.Pattern.CopyPattern, &block.Pattern.ClearOnCopy,
        &block.Pattern.PastePattern, &block.Pattern.ClearOnPaste, &block.Reserved1})
    in.ReadInt32(*field);
  return block;
}

int TSettingsBlock::Write(const std::filesystem::path& file) const {
  ByteWriter out;
  for (int32_t field : {Reserved0, Pattern.CopyPattern, Pattern.ClearOnCopy, Pattern.PastePattern,
                        Pattern.ClearOnPaste, Reserved1})
    out.WriteInt32(field);
  const std::string& bytes = out.Data();
  return TCommonSaver::WriteBlock(file,
                                  {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace norumi
