// SPDX-License-Identifier: GPL-3.0-or-later
// The word-file reader on arbitrary bytes: it must never read past the end nor allocate beyond
// what the bytes can hold, the load from a file (the program's) must read what the load from a
// stream reads, and what it reads intact must save and read back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

bool SameHistory(const TRirekiList& a, const TRirekiList& b) {
  return a.InProgress == b.InProgress && a.Total == b.Total && a.Position == b.Position &&
         a.Marks == b.Marks && a.Order == b.Order && a.Records() == b.Records();
}

// `bytes` as a file of this process's own.
std::filesystem::path AsFile(const std::string& bytes) {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("wordfile_fuzz_" + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), std::streamsize(bytes.size()));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TTangoList list;
  ByteReader in(bytes);
  const LoadStatus status = list.LoadFromStream(in);
  Require(status == LoadStatus::Intact || list.Count() == 0);

  TTangoList fromFile;
  Require(fromFile.LoadFromFile(AsFile(bytes)) == status);
  Require(fromFile.Count() == list.Count() && fromFile.Title == list.Title &&
          fromFile.UserName == list.UserName && fromFile.Kaisetsu == list.Kaisetsu &&
          fromFile.ReadOnly == list.ReadOnly);
  Require(SameHistory(fromFile.RirekiJap2Kor, list.RirekiJap2Kor) &&
          SameHistory(fromFile.RirekiKor2Jap, list.RirekiKor2Jap));
  if (status == LoadStatus::Intact) {
    ByteWriter out;
    list.SaveToStream(out);
    TTangoList again;
    ByteReader back(out.Data());
    Require(again.LoadFromStream(back) == LoadStatus::Intact);
    Require(again.Count() == list.Count() && again.Title == list.Title);
    for (int i = 0; i < again.Count(); ++i) Require(again.Tango(i).IsSameWord(list.Tango(i)));

    // Saved before any of its entries was looked at: records go out under the new key without
    // being unmasked, and must read back as those of the stream.
    ByteWriter resaved;
    fromFile.SaveToStream(resaved);
    TTangoList reread;
    ByteReader reback(resaved.Data());
    Require(reread.LoadFromStream(reback) == LoadStatus::Intact);
    Require(reread.Count() == list.Count());
    for (int i = 0; i < reread.Count(); ++i) Require(SameEntry(reread.View(i), list.View(i)));
  }
  Walk(list.RirekiJap2Kor);
  Walk(list.RirekiKor2Jap);
  return 0;
}
