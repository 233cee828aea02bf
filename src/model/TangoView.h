// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/Tango.h"

namespace norumi {

// The stored codes and the codes in memory are the same little-endian bytes: a loaded list hands
// out views of its file's bytes, and hashes them alike with the codes of an edited entry.
static_assert(std::endian::native == std::endian::little, "word files hold little-endian codes");

// The codes of a Korean word as they lie in memory, aligned or not: a loaded list keeps them in
// the bytes it read, an edited entry in its vector.
class CodeView {
 public:
  CodeView() = default;
  CodeView(const char* bytes, size_t count) : bytes_(bytes), count_(count) {}
  CodeView(const HangulCodes& codes)  // NOLINT: a vector is a view of itself
      : bytes_(reinterpret_cast<const char*>(codes.data())), count_(codes.size()) {}

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  int32_t operator[](size_t i) const {
    int32_t code;
    std::memcpy(&code, bytes_ + i * 4, 4);
    return code;
  }
  std::string_view Bytes() const { return {bytes_, count_ * 4}; }
  HangulCodes ToCodes() const {
    HangulCodes codes(count_);
    if (count_ != 0) std::memcpy(codes.data(), bytes_, count_ * 4);
    return codes;
  }
  // The codes without the trailing 0 codes (see ShownEnd).
  CodeView Shown() const {
    size_t n = count_;
    while (n != 0 && (*this)[n - 1] == 0) --n;
    return {bytes_, n};
  }
  friend bool operator==(const CodeView& a, const CodeView& b) { return a.Bytes() == b.Bytes(); }

 private:
  const char* bytes_ = nullptr;
  size_t count_ = 0;
};

// One entry seen without copying it, wherever the list keeps it. Valid until the list changes.
// Texts hold what a load keeps of them: the bytes before the first zero byte.
struct TangoView {
  std::string_view Japan;
  CodeView Hangul;
  std::string_view Setsumei;
  std::string_view Url;
  // The record the entry was read from, when it lies in one (see TangoRecords.h): the fields
  // above are then that record's.
  const char* Record = nullptr;

  bool IsEmpty() const { return Japan.empty() && Hangul.empty(); }
};

inline TangoView ViewOf(const TTango& t) {
  return {t.Japan, t.Hangul, t.Setsumei, t.Url};
}

inline bool SameWord(const TangoView& a, const TangoView& b) {
  return a.Japan == b.Japan && a.Hangul == b.Hangul;
}
inline bool SameEntry(const TangoView& a, const TangoView& b) {
  return SameWord(a, b) && a.Setsumei == b.Setsumei && a.Url == b.Url;
}

}  // namespace norumi
