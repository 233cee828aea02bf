// SPDX-License-Identifier: GPL-3.0-or-later
#include "Json.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace norumi::wbk {

void AppendJsonString(std::string& out, std::string_view text) {
  // The bytes that need an escape: the controls, the quote and the backslash.
  static constexpr auto kEscaped = [] {
    std::array<bool, 256> escaped{};
    for (int b = 0; b < 0x20; ++b) escaped[b] = true;
    escaped['"'] = escaped['\\'] = escaped[0x7F] = true;
    return escaped;
  }();
  out += '"';
  size_t plain = 0;  // the start of the bytes not yet appended, which need no escape
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!kEscaped[byte]) continue;
    out.append(text, plain, i - plain);
    plain = i + 1;
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += char(byte);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
      out += escaped;
    }
  }
  out.append(text, plain);
  out += '"';
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasMember_.empty()) {
    if (hasMember_.back()) out_ += ',';
    hasMember_.back() = true;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  hasMember_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  out_ += bracket;
  hasMember_.pop_back();
}

JsonWriter& JsonWriter::BeginObject() {
  Open('{');
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Open('[');
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  BeforeValue();
  AppendJsonString(out_, utf8);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendJsonString(out_, utf8);
  return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
  BeforeValue();
  char digits[24];
  out_.append(digits, size_t(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

}  // namespace norumi::wbk
