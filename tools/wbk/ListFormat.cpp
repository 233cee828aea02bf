#include "ListFormat.h"

#include "Cli.h"
#include "Json.h"
#include "Text.h"
#include "WordFiles.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
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

void WriteEntry(JsonWriter& json, const TTangoList& list, int index) {
  const TangoView entry = list.View(index);
  json.BeginObject();
  json.Key("label").Int(std::stoll(list.Label(index)));
  json.Key("japan").String(Cp932ToUtf8(entry.Japan));
  json.Key("hangul").BeginArray();
  for (size_t i = 0; i < entry.Hangul.size(); ++i) json.Int(entry.Hangul[i]);
  json.EndArray();
  json.Key("setsumei").String(Cp932ToUtf8(entry.Setsumei));
  json.Key("url").String(Cp932ToUtf8(entry.Url));
  json.EndObject();
}

// One line per field: line breaks and tabs of a text show as their escapes.
std::string OneLine(std::u16string_view text) {
  std::string line;
  AppendTsvField(text, false, line);
  return EscapeControls(line);
}

std::string OneLine(std::string_view cp932) {
  thread_local std::u16string text;
  text.clear();
  AppendFromCp932(cp932, text);
  return OneLine(text);
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

std::string ListToJson(const TTangoList& list, LoadStatus status) {
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
  for (int i = 0; i < list.Count(); ++i) WriteEntry(json, list, i);
  json.EndArray();
  json.Key("rirekiJap2Kor");
  WriteHistory(json, list.RirekiJap2Kor);
  json.Key("rirekiKor2Jap");
  WriteHistory(json, list.RirekiKor2Jap);
  json.EndObject();
  return json.Text() + "\n";
}

std::string ListToText(const TTangoList& list, LoadStatus status) {
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
  for (int i = 0; i < list.Count(); ++i) {
    const TangoView entry = list.View(i);
    std::u16string korean;
    AppendUnicodeText(entry.Hangul, korean);
    std::string koreanLine;
    AppendTsvField(korean, false, koreanLine);
    out += "  [" + list.Label(i) + "] " + koreanLine + " = " + OneLine(entry.Japan) + "\n";
    if (!entry.Setsumei.empty()) out += "      explanation: " + OneLine(entry.Setsumei) + "\n";
    if (!entry.Url.empty()) out += "      url: " + OneLine(entry.Url) + "\n";
  }
  out += HistoryLine("Japanese to Korean", list.RirekiJap2Kor);
  out += HistoryLine("Korean to Japanese", list.RirekiKor2Jap);
  return out;
}

}  // namespace norumi::wbk
