// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/Rireki.h"
#include "model/Tango.h"
#include "model/TangoRecords.h"
#include "model/TangoStore.h"
#include "model/TangoView.h"
#include "storage/SafeSave.h"

namespace norumi {

// What a load found. Damage never throws: the list keeps what could be read (see LoadFromStream).
enum class LoadStatus {
  Intact,
  Missing,       // no file at the path: the list is unchanged
  FirstMarker,   // header only
  SecondMarker,  // header, no entries, histories not read
  ThirdMarker,   // header and histories, no entries
  Truncated,     // ended inside a field or held an impossible length: handled like a marker
};

const char* LoadStatusName(LoadStatus status);
// Any load that read less than the whole file.
inline bool IsDamaged(LoadStatus status) {
  return status != LoadStatus::Intact && status != LoadStatus::Missing;
}

// One word file in memory: its header, its entries (in the order added, each with a
// running-number label, kept as TangoStore.h says) and its two answer histories.
class TTangoList {
 public:
  TTangoList() = default;
  TTangoList(const TTangoList&) = delete;
  TTangoList& operator=(const TTangoList&) = delete;

  int32_t NextNo = 0;
  int32_t FileFormat = 1;
  int32_t Version = 0;
  int32_t Key = 0;
  std::string Creator;
  std::string UserName;
  std::string Title;
  std::string Url;
  bool ReadOnly = false;
  int32_t Kaisetsu = 0;
  TRirekiList RirekiJap2Kor;
  TRirekiList RirekiKor2Jap;

  int Count() const { return entries_.Count(); }
  // The entry to be edited, as a TTango of its own whose address stays while the list holds
  // the entry. The first call for an entry copies it out of its record, so loops over every
  // entry use View instead.
  TTango& Tango(int index) { return entries_.Edit(index); }
  // A copy of the entry.
  TTango Tango(int index) const;
  // The entry without copying it; valid until the list changes. See TangoStore::View.
  TangoView View(int index) { return entries_.View(index); }
  TangoView View(int index, std::string& scratch) const { return entries_.View(index, scratch); }
  std::string Label(int index) const { return std::to_string(LabelNumber(index)); }
  int32_t LabelNumber(int index) const { return entries_.Label(index); }

  void ClearEntries();
  TTango& AddNew();
  TTango& AddCopy(const TTango& source);
  void DeleteAt(int index) { entries_.Delete(index); }
  bool Contains(const TTango& entry);
  // Appends a copy of each of `words` that Contains would not find, counting the copies
  // appended before it; returns how many it appended. Takes time in proportion to the words.
  int AddAbsent(const TangoRecords& words);
  int FindByJapan(const std::string& japan, std::vector<TTango*>& result);
  // Merges each list in turn, emptying it: appends the entries whose word (IsSameWord) none of
  // the entries held before that list's turn has.
  // Returns, for each list of `others`, where the words it added end.
  std::vector<int> MergeAllMoving(std::vector<std::unique_ptr<TTangoList>>&& others);
  void RemoveEmpty() { entries_.DeleteEmpty(); }

  LoadStatus LoadFromFile(const std::filesystem::path& path);
  // Reads only the header (title, URL and the rest before the first marker), from as few bytes
  // at the start of the file as it needs; entries and histories stay as they are. Intact says
  // only that the header was whole. Throws EFOpenError as LoadFromFile does.
  LoadStatus LoadHeaderFromFile(const std::filesystem::path& path);
  // Loads a file that is to be written back: a damaged one throws EFDamagedError (the list then
  // holds what could be read), so that no caller saves it without the words it lost.
  LoadStatus LoadForUpdate(const std::filesystem::path& path);
  // Never loses the old file: see SaveFileReplacing. Throws EFCreateError.
  void SaveToFile(const std::filesystem::path& path, const SaveFault& fault = {});
  LoadStatus LoadFromStream(ByteReader& in);
  void SaveToStream(ByteWriter& out);
  // Saves as SaveToFile does, leaving the empty entries out of the file but in the list: the
  // word editor keeps the new entry on screen while it saves.
  void SaveKeepingEmpty(const std::filesystem::path& path);
  // The bytes SaveKeepingEmpty writes, made whole in `out`: a window makes them on its own
  // thread, where the list changes, and has them written on another.
  void SaveKeepingEmpty(ByteWriter& out);

  // Mail-magazine code of the header (see MailCode.h for the result codes).
  int HeaderToMailCode(TextLines& lines) const;
  int HeaderFromMailCode(TextLines& lines);

 private:
  // The file's bytes, leaving out the empty entries when `skipEmpty`.
  void WriteStream(ByteWriter& out, bool skipEmpty);
  // Saves as SaveToFile does, writing the file in parts as it is made.
  void WriteFile(const std::filesystem::path& path, const SaveFault& fault, bool skipEmpty);
  // Reads the entries and histories after the header. `bytes`: those `in` reads, which the list
  // takes over; without them, it copies what `in` has left.
  LoadStatus LoadFrom(ByteReader& in, ByteBlock bytes);
  bool LoadHeader(ByteReader& in);

  TangoStore entries_;
};

}  // namespace norumi
