#include "ListFormat.h"

#include "Batches.h"
#include "Cli.h"
#include "Json.h"
#include "Text.h"
#include "WordFiles.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Tables.h"
#include "platform/text/Tsv.h"

namespace norumi::wbk {

namespace {

void WriteHistory(JsonWriter& json, const TRirekiList& history) {
  json.BeginObject();
  json.Key("inProgress").Bool(history.InProgress);
  json.Key("total").Int(history.Total);
  json.Key("position").Int(history.Position);
  json.Key("marks").IntArray(history.Marks);
  json.Key("order").IntArray(history.Order);
  json.Key("records").BeginArray();
  for (const TRireki& record : history.Records())
    json.BeginObject().Key("total").Int(record.Total).Key("seikai").Int(record.Seikai).EndObject();
  json.EndArray().EndObject();
}

// A stored text as a JSON string, as AppendJsonString writes its UTF-8.
void AppendJsonStringFromCp932(std::string& out, std::string_view cp932) {
  const size_t start = out.size();
  out += '"';
  if (cp932::AppendDecodedUtf8(cp932, out, cp932::Escape::Json)) {
    out += '"';
    return;
  }
  out.resize(start);
  AppendJsonString(out, Cp932ToUtf8(cp932));
}

// The entry as JsonWriter would write it, written straight: a dump writes a million of them.
void AppendEntry(std::string& out, const TTangoList& list, int index) {
  const TangoView word = list.View(index);
  out += "{\"label\":";
  out += list.Label(index);
  out += ",\"japan\":";
  AppendJsonStringFromCp932(out, word.Japan);
  out += ",\"hangul\":[";
  for (size_t i = 0; i < word.Hangul.size(); ++i) {
    if (i != 0) out += ',';
    AppendJsonInt(out, word.Hangul[i]);
  }
  out += "],\"setsumei\":";
  AppendJsonStringFromCp932(out, word.Setsumei);
  out += ",\"url\":";
  AppendJsonStringFromCp932(out, word.Url);
  out += '}';
}

// One line per field: line breaks and tabs of a text show as their escapes.
void AppendOneLine(std::string& out, std::string_view cp932) {
  thread_local std::string line;
  line.clear();
  AppendTsvFieldFromCp932(cp932, line);
  AppendEscapedControls(out, line);
}

std::string OneLine(std::string_view cp932) {
  std::string line;
  AppendOneLine(line, cp932);
  return line;
}

// An entry of the listing for people: its number, Korean and meaning, then its explanation
// and URL where it has them.
void AppendEntryLines(std::string& out, const TTangoList& list, int index) {
  const TangoView entry = list.View(index);
  out += "  [";
  out += list.Label(index);
  out += "] ";
  AppendTsvFieldFromCodes(entry.Hangul, false, out);
  out += " = ";
  AppendOneLine(out, entry.Japan);
  out += '\n';
  if (!entry.Setsumei.empty()) {
    out += "      explanation: ";
    AppendOneLine(out, entry.Setsumei);
    out += '\n';
  }
  if (!entry.Url.empty()) {
    out += "      url: ";
    AppendOneLine(out, entry.Url);
    out += '\n';
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
  json.Key("entries").BeginArray();
  json.Drain(write);
  FormatInBatches(
      list.Count(),
      [&list](int begin, int end, std::string& out) {
        for (int i = begin; i < end; ++i) {
          if (i != 0) out += ',';
          AppendEntry(out, list, i);
        }
      },
      write);
  json.EndArray();
  json.Key("rirekiJap2Kor");
  WriteHistory(json, list.RirekiJap2Kor);
  json.Key("rirekiKor2Jap");
  WriteHistory(json, list.RirekiKor2Jap);
  json.EndObject();
  write(json.Text() + "\n");
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
  FormatInBatches(
      list.Count(),
      [&list](int begin, int end, std::string& lines) {
        for (int i = begin; i < end; ++i) AppendEntryLines(lines, list, i);
      },
      write);
  out += HistoryLine("Japanese to Korean", list.RirekiJap2Kor);
  out += HistoryLine("Korean to Japanese", list.RirekiKor2Jap);
  write(out);
}

}  // namespace norumi::wbk
