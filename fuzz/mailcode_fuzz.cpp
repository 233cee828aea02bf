// SPDX-License-Identifier: GPL-3.0-or-later
// The mail-magazine code parsers on arbitrary text: they must never step outside the lines,
// and a code they accept must write back to lines that parse to the same entry.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/MailCode.h"
#include "model/TangoList.h"

using namespace norumi;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

TextLines SplitLines(const std::string& text) {
  TextLines lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextLines lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  TTangoList list;
  TTango entry;
  if (list.HeaderFromMailCode(lines) != kMailCodeOk || entry.FromMailCode(lines) != kMailCodeOk)
    return 0;
  TextLines written;
  if (list.HeaderToMailCode(written) != kMailCodeOk || entry.ToMailCode(written) != kMailCodeOk)
    return 0;  // the writer refuses what it could not read back
  TTangoList listAgain;
  TTango entryAgain;
  Require(listAgain.HeaderFromMailCode(written) == kMailCodeOk);
  Require(entryAgain.FromMailCode(written) == kMailCodeOk);
  Require(listAgain.Creator == list.Creator && listAgain.Title == list.Title &&
          listAgain.Url == list.Url);
  Require(entryAgain.IsSameWord(entry) && entryAgain.Setsumei == entry.Setsumei &&
          entryAgain.Url == entry.Url && entryAgain.DisplayOnly == entry.DisplayOnly);
  Require(written.empty());
  return 0;
}
