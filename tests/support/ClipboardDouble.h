// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace norumi::test {

// A clipboard of its own for one test: it holds what was put last, and counts the openings so
// that a test can tell "copied nothing" from "copied an empty text".
class MemoryClipboard : public IClipboard {
 public:
  void Put(const std::optional<std::string>& plain,
           const std::optional<std::u16string>& unicode) override {
    plainBytes = plain;
    unicodeText = unicode;
    ++puts;
  }
  std::optional<std::string> PlainText() override { return plainBytes; }
  std::optional<std::u16string> UnicodeText() override { return unicodeText; }

  std::optional<std::string> plainBytes;
  std::optional<std::u16string> unicodeText;
  int puts = 0;
};

}  // namespace norumi::test
