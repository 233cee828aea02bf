// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norumi {

// CP932 bytes and UTF-16 text on the standard library's terms, for what stands without Qt (the
// word-file names, and all that the build for Windows made here holds). On Windows the system's
// own code page 932 converts; elsewhere Qt's "windows-31j" codec, through Cp932.h.

// The text of `bytes`; a byte that begins no character becomes U+FFFD.
std::u16string Cp932ToUtf16(std::string_view bytes);
// The text of `bytes` only when every byte belongs to a character and the text converts back to
// exactly the same bytes.
std::optional<std::u16string> Cp932ToUtf16Exactly(std::string_view bytes);
// Empty when `text` holds a character CP932 cannot hold. The signs that Linux input methods type
// for ～ － ― ∥ ￠ ￡ ￢ are taken as these (FoldForCp932).
std::optional<std::string> Utf16ToCp932(std::u16string_view text);

// Characters that Japanese input methods and fonts on Linux produce for the signs CP932 holds
// under other code points (the JIS and the Windows mappings of the same byte pairs differ),
// folded to the code points CP932 maps, so that 〜から typed on Linux is the ～から of a word file
// written on Windows. Any other character is itself.
char16_t FoldForCp932(char16_t c);

}  // namespace norumi
