// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The CP932 codec's own conversions, read off it into tables, for converting many texts in a
// row. Each gives what the codec gives, or false (appending nothing) for a text holding what
// its table does not know; the caller then leaves that text to the codec. Not on Windows.
#include <QStringView>
#include <cstdint>
#include <string>
#include <string_view>

namespace norumi::cp932 {

inline constexpr const char* kCodec = "windows-31j";

bool AppendDecoded(std::string_view bytes, std::u16string& out);

// How each ASCII character is written into the caller's text, up to six bytes: the caller's own
// escapes, which the conversion applies without knowing what they are for. At first each
// character is written as itself.
class AsciiForms {
 public:
  struct Form {
    char bytes[6];
    uint8_t size;
  };

  constexpr AsciiForms() {
    for (int c = 0; c < 128; ++c) forms_[c] = {{char(c)}, 1};
  }
  // `c` written as `form`, of one to six bytes.
  constexpr AsciiForms& Set(char c, std::string_view form) {
    Form& to = forms_[uint8_t(c)];
    to = {};
    for (size_t i = 0; i < form.size(); ++i) to.bytes[i] = form[i];
    to.size = uint8_t(form.size());
    changes_[uint8_t(c)] = form != std::string_view(&c, 1);
    return *this;
  }
  constexpr const Form& operator[](char c) const { return forms_[uint8_t(c)]; }

  // Whether `byte` is an ASCII character written other than as itself; any byte may be asked,
  // none from 0x80 on being one.
  constexpr bool Changes(uint8_t byte) const { return changes_[byte]; }

 private:
  Form forms_[128] = {};
  bool changes_[256] = {};
};
inline constexpr AsciiForms kPlainAscii;

// No character takes more UTF-8 bytes a byte of CP932 than this, whatever its ASCII forms.
inline constexpr size_t kUtf8PerByte = sizeof(AsciiForms::Form::bytes);

// Appends the UTF-8 of `bytes`, its ASCII characters written as `ascii` has them.
bool AppendDecodedUtf8(std::string_view bytes, std::string& out,
                       const AsciiForms& ascii = kPlainAscii);
// The same written at `at`, which has room for kUtf8PerByte bytes a byte of `bytes`: the end of
// what it wrote, or null where AppendDecodedUtf8 gives false (the room may then hold anything).
char* DecodeUtf8To(char* at, std::string_view bytes, const AsciiForms& ascii = kPlainAscii);
// With the signs Linux types folded as FoldForCp932 folds them.
bool AppendEncoded(QStringView text, std::string& out);

}  // namespace norumi::cp932
