// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

#include "model/ByteStream.h"

namespace norumi {

// Writes a window's word file on a thread of its own, so that the window answers at once however
// large the file. The bytes are made by the window, on its thread, from the list only it changes:
// what is written here is a copy that nothing else touches. Writes coalesce: bytes handed in while
// a write runs replace any still waiting, so a burst of changes costs at most two writes.
class WordFileWriter : public QObject {
  Q_OBJECT

 public:
  // How one write is done: SaveFileReplacing, unless a test hands in another.
  using Write = std::function<void(const std::filesystem::path&, std::string_view)>;

  explicit WordFileWriter(Write write = {});
  // A write under way ends first: a file is never left half replaced.
  ~WordFileWriter() override;

  void Submit(const std::filesystem::path& target, ByteWriter bytes);
  // A writer to make the next bytes in: the buffer of the last bytes written, kept, so that
  // making a large file again touches no new memory; an empty one while none is free.
  ByteWriter TakeSpare();
  // Whether a write is under way or waiting.
  bool Busy() const;
  // Waits on the calling thread until nothing is under way or waiting.
  void WaitBlocking();
  // The failure of the last write, when it failed and nothing was handed in after it; taken,
  // so that it is shown once.
  std::exception_ptr TakeFailure();

 signals:
  // Everything handed in has been written or has failed (see TakeFailure). Sent on the thread
  // the writer belongs to.
  void Ended();

 private:
  void Work(std::stop_token stop);

  Write write_;
  mutable std::mutex mutex_;
  std::condition_variable_any changed_;
  struct Job {
    std::filesystem::path target;
    ByteWriter bytes;
  };
  std::optional<Job> waiting_;
  bool writing_ = false;
  std::exception_ptr failure_;
  std::optional<ByteWriter> spare_;
  std::jthread worker_;  // last: it stops and ends before what it works on goes
};

}  // namespace norumi
