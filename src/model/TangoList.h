// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/Rireki.h"
#include "model/SafeSave.h"
#include "model/Tango.h"
#include "model/TangoRecords.h"
#include "model/TangoView.h"

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

// Room for entries to be added to a list.
struct RoomToAdd {
  size_t entries = 0;
  size_t bytes = 0;  // of their records (see TangoRecords)
};

// One word file in memory: its header, its entries (owned, in the order added, each with a
// running-number label) and its two answer histories.
//
// Entries are kept as the file holds them, unmasked, one after another in one block of bytes: a
// load is one read and one pass over it, and a word costs its bytes and a 16-byte item. An entry
// that Tango() hands out to be edited moves into a TTango of its own and stays there.
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

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry as a TTango, whose address stays while the list holds the entry. The first call
  // for an entry copies it out of the block, so loops over every entry use View instead.
  TTango& Tango(int index) { return Edited(index); }
  const TTango& Tango(int index) const { return Edited(index); }
  // The entry without copying it; valid until the list changes.
  TangoView View(int index) const;
  std::string Label(int index) const { return std::to_string(LabelNumber(index)); }
  int32_t LabelNumber(int index) const { return items_.at(index).label; }

  void ClearEntries();
  TTango& AddNew();
  TTango& AddCopy(const TTango& source);
  void DeleteAt(int index);
  bool Contains(const TTango& entry) const;
  // Appends a copy of each of `words` that Contains would not find, counting the copies
  // appended before it; returns how many it appended. Takes time in proportion to the words.
  int AddAbsent(const TangoRecords& words);
  int AddAbsent(const std::vector<TTango>& words);
  int FindByJapan(const std::string& japan, std::vector<TTango*>& result);
  int FindByHangul(const HangulCodes& hangul, std::vector<TTango*>& result);
  void Merge(const TTangoList& other);
  // The same as merging each list in turn, with one lookup table for all of them.
  void MergeAll(const std::vector<const TTangoList*>& others);
  // The same for lists no longer needed, which it empties as it goes.
  void MergeAllMoving(std::vector<std::unique_ptr<TTangoList>>&& others);
  void RemoveEmpty();

  // `room`: for words to be added after the load, made with it so that the list never moves
  // what it read to make room later.
  LoadStatus LoadFromFile(const std::filesystem::path& path, const RoomToAdd& room = {});
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
  void SaveKeepingEmpty(ByteWriter& out) { WriteStream(out); }

  // Mail-magazine code of the header (see MailCode.h for the result codes).
  int HeaderToMailCode(TextLines& lines) const;
  int HeaderFromMailCode(TextLines& lines);

 private:
  // The file's bytes, leaving out entries with neither Korean nor meaning. With `write`, they
  // are handed to it in parts as they are made, and the writing stops at a part it refused.
  bool WriteStream(ByteWriter& out, const WritePart* write = nullptr);
  // Saves as SaveToFile does, writing the file as it is made.
  void WriteFile(const std::filesystem::path& path, const SaveFault& fault);
  // Reads the entries and histories after the header. `inPlace`: `in` reads `bytes_` itself,
  // and each entry is unmasked where it lies.
  LoadStatus LoadFrom(ByteReader& in, bool inPlace, size_t roomEntries = 0);
  bool LoadHeader(ByteReader& in);
  // Appends `entry`'s record to the block; `entry` may lie in the block itself.
  void AppendRecord(const TangoView& entry);

  struct Item {
    uint64_t where;  // the record's offset in `bytes_`, or the address of its TTango
    int32_t label;
    bool edited;
  };
  TTango& Edited(int index) const;
  // TTangos live in blocks that never move, so a pointer to one stays valid while the list
  // holds it; a released one is emptied and its slot is given back with the block.
  TTango* NewSlot() const;
  TTango& Append(TTango* tango);
  template <typename List>
  void MergeAllWith(const std::vector<List*>& others);

  // Entries are handed out for editing from const lists too: the list reads the same after.
  mutable std::vector<Item> items_;
  std::string bytes_;
  mutable std::vector<std::unique_ptr<TTango[]>> blocks_;
  mutable size_t blockUsed_ = 0;
  mutable size_t blockSize_ = 0;
};

inline TangoView TTangoList::View(int index) const {
  const Item& item = items_.at(index);
  if (item.edited) return ViewOf(*reinterpret_cast<const TTango*>(item.where));
  return RecordAt(bytes_.data() + item.where);
}

}  // namespace norumi
