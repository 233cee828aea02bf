// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListFormat.h"

#include "Appender.h"
#include "Batches.h"
#include "Cli.h"
#include "Json.h"
#include "Text.h"
#include "WordFiles.h"
#include "exchange/TextEscapes.h"
#include "exchange/Tsv.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Tables.h"

namespace norumi::wbk {

namespace {

// Items 0 to `count`, each appended by `item`, made in batches and written as they are made
// (see FormatInBatches).
template <typename Item>
void WriteInBatches(int count, const Item& item, const TextSink& write) {
  FormatInBatches(
      count,
      [&item](int begin, int end, std::string& text) {
        Appender out(text);
        for (int i = begin; i < end; ++i) item(out, i);
      },
      write);
}

// An array of `count` items, each appended by `item` as JSON, after what `json` holds so far:
// made in batches and written as they are made, as long as it is.
template <typename Item>
void WriteArray(JsonWriter& json, size_t count, const Item& item, const TextSink& write) {
  json.BeginArray();
  json.Drain(write);
  WriteInBatches(
      int(count),
      [&item](Appender& out, int i) {
        if (i != 0) out.Append(',');
        item(out, i);
      },
      write);
  json.EndArray();
}

// Marks and order hold a number a word: the history of a long list is written as its entries are.
void WriteHistory(JsonWriter& json, const TRirekiList& history, const TextSink& write) {
  json.BeginObject();
  json.Key("inProgress").Bool(history.InProgress);
  json.Key("total").Int(history.Total);
  json.Key("position").Int(history.Position);
  const auto writeInts = [&json, &write](const char* key, const std::vector<int32_t>& values) {
    json.Key(key);
    WriteArray(
        json, values.size(), [&values](Appender& out, int i) { out.AppendInt(values[i]); }, write);
  };
  writeInts("marks", history.Marks);
  writeInts("order", history.Order);
  json.Key("records");
  const std::vector<TRireki>& records = history.Records();
  WriteArray(
      json, records.size(),
      [&records](Appender& out, int i) {
        out.Append("{\"total\":");
        out.AppendInt(records[i].Total);
        out.Append(",\"seikai\":");
        out.AppendInt(records[i].Seikai);
        out.Append('}');
      },
      write);
  json.EndObject();
}

// A stored text as a JSON string, as AppendJsonString writes its UTF-8.
void AppendJsonStringFromCp932(Appender& out, std::string_view cp932) {
  if (cp932.empty()) {  // most explanations and URLs
    out.Append("\"\"");
    return;
  }
  char* at = out.Room(cp932.size() * cp932::kUtf8PerByte + 2);
  *at++ = '"';
  if (char* const end = cp932::DecodeUtf8To(at, cp932, kJsonAscii)) {
    *end = '"';
    out.Advance(end + 1);
    return;
  }
  out.ThroughString([cp932](std::string& text) { AppendJsonString(text, Cp932ToUtf8(cp932)); });
}

// The entry, on whichever thread lists it, without changing the list.
TangoView EntryAt(const TTangoList& list, int index) {
  thread_local std::string scratch;
  return list.View(index, scratch);
}

// The entry as JsonWriter would write it, written straight: a dump writes a million of them.
void AppendEntry(Appender& out, const TTangoList& list, int index) {
  const TangoView word = EntryAt(list, index);
  out.Append("{\"label\":");
  out.AppendInt(list.LabelNumber(index));
  out.Append(",\"japan\":");
  AppendJsonStringFromCp932(out, word.Japan);
  out.Append(",\"hangul\":[");
  for (size_t i = 0; i < word.Hangul.size(); ++i) {
    if (i != 0) out.Append(',');
    out.AppendInt(word.Hangul[i]);
  }
  out.Append("],\"setsumei\":");
  AppendJsonStringFromCp932(out, word.Setsumei);
  out.Append(",\"url\":");
  AppendJsonStringFromCp932(out, word.Url);
  out.Append('}');
}

// The Korean of an entry as AppendTsvFieldFromCodes writes it.
void AppendKorean(Appender& out, const CodeView& codes, bool startsLine = false) {
  if (char* const end = PutTsvFieldFromCodes(out.Room(codes.size() * 3 + 1), codes, startsLine)) {
    out.Advance(end);
    return;
  }
  out.ThroughString([&codes, startsLine](std::string& text) {
    AppendTsvFieldFromCodes(codes, startsLine, text);
  });
}

// A stored text as AppendTsvFieldFromCp932 writes it.
void AppendTsvText(Appender& out, std::string_view cp932) {
  if (cp932.empty()) return;
  if (char* const end =
          cp932::DecodeUtf8To(out.Room(cp932.size() * cp932::kUtf8PerByte), cp932, kTsvAscii)) {
    out.Advance(end);
    return;
  }
  out.ThroughString([cp932](std::string& text) { AppendTsvFieldFromCp932(cp932, text); });
}

// One line per field: line breaks and tabs of a text show as their escapes, and so do its other
// control characters (see AppendEscapedControls).
void AppendOneLine(Appender& out, std::string_view cp932) {
  char* const at = out.Room(cp932.size() * cp932::kUtf8PerByte);
  char* const end = cp932::DecodeUtf8To(at, cp932, kTsvAscii);
  if (end && !HoldsControl({at, size_t(end - at)})) {
    out.Advance(end);
    return;
  }
  thread_local std::string line;
  line.clear();
  AppendTsvFieldFromCp932(cp932, line);
  out.ThroughString([](std::string& text) { AppendEscapedControls(text, line); });
}

std::string OneLine(std::string_view cp932) {
  std::string line;
  {
    Appender out(line);
    AppendOneLine(out, cp932);
  }
  return line;
}

// An entry of the listing for people: its number, Korean and meaning, then its explanation
// and URL where it has them.
void AppendEntryLines(Appender& out, const TTangoList& list, int index) {
  const TangoView entry = EntryAt(list, index);
  out.Append("  [");
  out.AppendInt(list.LabelNumber(index));
  out.Append("] ");
  AppendKorean(out, entry.Hangul);
  out.Append(" = ");
  AppendOneLine(out, entry.Japan);
  out.Append('\n');
  if (!entry.Setsumei.empty()) {
    out.Append("      explanation: ");
    AppendOneLine(out, entry.Setsumei);
    out.Append('\n');
  }
  if (!entry.Url.empty()) {
    out.Append("      url: ");
    AppendOneLine(out, entry.Url);
    out.Append('\n');
  }
}

std::string HistoryLine(const char* name, const TRirekiList& history) {
  std::string line = std::string("history    ") + name + ": ";
  line += history.InProgress
              ? "drill of " + std::to_string(history.Total) +
                    " questions in progress at position " + std::to_string(history.Position)
              : std::string("no drill in progress");
  line += "; scores:";
  if (history.Records().empty()) line += " none";
  for (const TRireki& record : history.Records())
    line += " " + std::to_string(record.Seikai) + "/" + std::to_string(record.Total);
  return line + "\n";
}

// A header line; an empty value leaves no trailing blanks.
std::string Field(const char* name, const std::string& value) {
  std::string line = name;
  if (!value.empty()) line.append(11 - line.size(), ' ') += value;
  return line + "\n";
}

}  // namespace

void WriteListJson(const TTangoList& list, LoadStatus status, const TextSink& write) {
  JsonWriter json;
  json.BeginObject();
  json.Key("fileFormat").Int(list.FileFormat);
  json.Key("version").Int(list.Version);
  json.Key("key").Int(list.Key);
  json.Key("creator").String(Cp932ToUtf8(list.Creator));
  json.Key("userName").String(Cp932ToUtf8(list.UserName));
  json.Key("title").String(Cp932ToUtf8(list.Title));
  json.Key("url").String(Cp932ToUtf8(list.Url));
  json.Key("readOnly").Bool(list.ReadOnly);
  json.Key("kaisetsu").Int(list.Kaisetsu);
  json.Key("damage");
  if (IsDamaged(status))
    json.String(LoadStatusName(status));
  else
    json.Null();
  json.Key("entries");
  WriteArray(
      json, size_t(list.Count()), [&list](Appender& out, int i) { AppendEntry(out, list, i); },
      write);
  json.Key("rirekiJap2Kor");
  WriteHistory(json, list.RirekiJap2Kor, write);
  json.Key("rirekiKor2Jap");
  WriteHistory(json, list.RirekiKor2Jap, write);
  json.EndObject();
  json.Drain(write);
  write("\n");
}

void WriteListTsv(const TTangoList& list, const TextSink& write) {
  WriteInBatches(
      list.Count(),
      [&list](Appender& out, int i) {
        const TangoView word = EntryAt(list, i);
        AppendKorean(out, word.Hangul, true);
        for (const std::string_view field : {word.Japan, word.Setsumei, word.Url}) {
          out.Append('\t');
          AppendTsvText(out, field);
        }
        out.Append('\n');
      },
      write);
}

void WriteListText(const TTangoList& list, LoadStatus status, const TextSink& write) {
  const char* kaisetsu = list.Kaisetsu == 0   ? " (explanation after every answer)"
                         : list.Kaisetsu == 1 ? " (explanation after a wrong answer only)"
                                              : "";
  std::string out;
  out += Field("title", OneLine(list.Title));
  out += Field("creator", OneLine(list.Creator));
  out += Field("user", OneLine(list.UserName));
  out += Field("url", OneLine(list.Url));
  out += Field("version", std::to_string(list.Version));
  out += Field("read-only", list.ReadOnly ? "yes" : "no");
  out += Field("kaisetsu", std::to_string(list.Kaisetsu) + kaisetsu);
  out += Field("damage", IsDamaged(status) ? LoadStatusName(status) : "none");
  out += Field("entries", std::to_string(list.Count()));
  write(out);
  out.clear();
  WriteInBatches(
      list.Count(), [&list](Appender& out, int i) { AppendEntryLines(out, list, i); }, write);
  out += HistoryLine("Japanese to Korean", list.RirekiJap2Kor);
  out += HistoryLine("Korean to Japanese", list.RirekiKor2Jap);
  write(out);
}

}  // namespace norumi::wbk
