// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/WordFileUpdate.h"

#include <utility>

namespace norumi {

namespace fs = std::filesystem;

int SaveUnderLock(std::unique_ptr<WordFileLock>& lock, TTangoList& list, const fs::path& path,
                  const std::function<void()>& save, std::chrono::milliseconds wait,
                  std::string_view window) {
  if (lock && lock->Stands()) {
    save();
    return -1;
  }
  lock.reset();
  lock = std::make_unique<WordFileLock>(path, wait, window);
  TTangoList saved;
  saved.LoadForUpdate(path);
  TangoRecords words;
  for (int i = 0; i < saved.Count(); ++i) words.Append(saved.View(i));
  const int added = list.AddAbsent(words);
  save();
  return added;
}

LoadStatus UpdateWordFile(TTangoList& list, const fs::path& path,
                          const std::function<bool(LoadStatus)>& change,
                          std::chrono::milliseconds wait, std::string_view window) {
  auto lock = std::make_unique<WordFileLock>(path, wait, window);
  const LoadStatus status = list.LoadForUpdate(path);
  if (change(status))
    SaveUnderLock(
        lock, list, path, [&] { list.SaveToFile(path); }, wait, window);
  return status;
}

}  // namespace norumi
