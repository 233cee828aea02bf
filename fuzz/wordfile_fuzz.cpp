// SPDX-License-Identifier: GPL-3.0-or-later
// The word-file reader on arbitrary bytes: it must never read past the end nor allocate beyond
// what the bytes can hold, and what it reads intact must save and read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/ByteStream.h"
#include "model/TangoList.h"

using namespace norumi;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void Walk(TRirekiList& h) {
  int32_t p = h.Position;
  while (h.NextQuestion(p, false) >= 0) {
    h.MarkAnswer(p, p % 2 == 0);
    ++p;
  }
  p = 0;
  h.NextQuestion(p, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TTangoList list;
  ByteReader in(bytes);
  const LoadStatus status = list.LoadFromStream(in);
  Require(status == LoadStatus::Intact || list.Count() == 0);
  if (status == LoadStatus::Intact) {
    ByteWriter out;
    list.SaveToStream(out);
    TTangoList again;
    ByteReader back(out.Data());
    Require(again.LoadFromStream(back) == LoadStatus::Intact);
    Require(again.Count() == list.Count() && again.Title == list.Title);
    for (int i = 0; i < again.Count(); ++i) Require(again.Tango(i).IsSameWord(list.Tango(i)));
  }
  Walk(list.RirekiJap2Kor);
  Walk(list.RirekiKor2Jap);
  return 0;
}
