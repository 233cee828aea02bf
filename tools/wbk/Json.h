// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norumi::wbk {

// Appends `utf8` as a JSON string: quotes, backslashes and control characters escaped.
void AppendJsonString(std::string& out, std::string_view utf8);

// Writes one compact JSON value. Commas are placed by the writer; the caller only has to nest
// its Begin and End calls and put a Key before every member of an object.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view utf8);
  // `utf8` must be valid UTF-8; quotes, backslashes and control characters are escaped.
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Int(int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  template <typename Ints>
  JsonWriter& IntArray(const Ints& values) {
    BeginArray();
    for (auto value : values) Int(value);
    return EndArray();
  }

  const std::string& Text() const { return out_; }
  // Hands what is written so far to `write` and forgets it; the value goes on where it stood.
  template <typename Write>
  void Drain(const Write& write) {
    write(std::string_view(out_));
    out_.clear();
  }

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string out_;
  std::vector<bool> hasMember_;  // per open object or array
  bool afterKey_ = false;
};

}  // namespace norumi::wbk
