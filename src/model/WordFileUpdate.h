// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "model/TangoList.h"
#include "storage/WordFileLock.h"

namespace norumi {

// Saves `list` to `path` with `save` while `lock` is held. A lock that no longer stands (or
// none) is taken anew, waiting at most `wait`; the file is then read as the other writers left
// it, and each of its words that `list` lacks is added to `list` (after its own, whose order the
// histories count on) before the save: nothing another writer saved is lost. Returns how many
// words were added so, or -1 when the lock stood. Throws as WordFileLock does, and
// EFDamagedError for a file that is damaged now.
int SaveUnderLock(std::unique_ptr<WordFileLock>& lock, TTangoList& list,
                  const std::filesystem::path& path, const std::function<void()>& save,
                  std::chrono::milliseconds wait, std::string_view window);

// One read-modify-write of the word file at `path` under its lock: loads it into `list` (a
// damaged file throws EFDamagedError; a missing one leaves `list` as it is), lets `change` work
// on `list` given what the load found, and saves `list` to `path` when `change` returns true
// (see SaveUnderLock).
LoadStatus UpdateWordFile(TTangoList& list, const std::filesystem::path& path,
                          const std::function<bool(LoadStatus)>& change,
                          std::chrono::milliseconds wait = kWordFileLockWait,
                          std::string_view window = {});

}  // namespace norumi
