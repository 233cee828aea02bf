// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace norumi {

// The characters shown as escapes wherever outside text is shown, by the windows and by wbk
// alike: the C0 controls, DEL and the C1 controls, which a terminal obeys; the zero-width
// characters, which hide; and the bidirectional controls, which show what follows them in
// another order, so that one name could pass for another. Standard library only, for wbk's
// byte-level escaping as much as for the windows.
struct CodeRange {
  char32_t first, last;
};
inline constexpr CodeRange kShownEscaped[] = {
    {0x0000, 0x001F},  // C0
    {0x007F, 0x009F},  // DEL, C1
    {0x061C, 0x061C},  // Arabic letter mark
    {0x200B, 0x200F},  // zero widths (space, non-joiner, joiner), direction marks
    {0x202A, 0x202E},  // embeddings and overrides
    {0x2066, 0x2069},  // isolates
};

constexpr bool IsShownEscaped(char32_t point) {
  for (const CodeRange& range : kShownEscaped)
    if (point >= range.first && point <= range.last) return true;
  return false;
}

}  // namespace norumi
