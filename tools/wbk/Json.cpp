// SPDX-License-Identifier: GPL-3.0-or-later
#include "Json.h"

#include <charconv>

#include "exchange/TextEscapes.h"

namespace norumi::wbk {

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  size_t plain = 0;  // the start of the bytes not yet appended, which need no escape
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!kJsonAscii.Changes(byte)) continue;
    const cp932::AsciiForms::Form& form = kJsonAscii[char(byte)];
    out.append(text, plain, i - plain);
    out.append(form.bytes, form.size);
    plain = i + 1;
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
