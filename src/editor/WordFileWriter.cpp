// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/WordFileWriter.h"

#include "storage/SafeSave.h"

namespace norumi {

WordFileWriter::WordFileWriter(Write write) : write_(std::move(write)) {
  if (!write_)
    write_ = [](const std::filesystem::path& target, std::string_view bytes) {
      SaveFileReplacing(target, bytes);
    };
}

WordFileWriter::~WordFileWriter() {
  // Bytes not yet begun are dropped: the window that handed them in waited for them already
  // when it closed (see TfrmRegist::MayClose), so only a write under way is left to end.
  {
    const std::lock_guard lock(mutex_);
    waiting_.reset();
  }
  worker_.request_stop();
  changed_.notify_all();
}

void WordFileWriter::Submit(const std::filesystem::path& target, ByteWriter bytes) {
  {
    const std::lock_guard lock(mutex_);
    waiting_ = Job{target, std::move(bytes)};
    failure_ = nullptr;  // these bytes hold whatever an earlier failed write lost
  }
  if (!worker_.joinable()) worker_ = std::jthread([this](std::stop_token stop) { Work(stop); });
  changed_.notify_all();
}

bool WordFileWriter::Busy() const {
  const std::lock_guard lock(mutex_);
  return writing_ || waiting_;
}

void WordFileWriter::WaitBlocking() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !writing_ && !waiting_; });
}

ByteWriter WordFileWriter::TakeSpare() {
  const std::lock_guard lock(mutex_);
  if (!spare_) return {};
  ByteWriter spare = std::move(*spare_);
  spare_.reset();
  spare.Clear();
  return spare;
}

std::exception_ptr WordFileWriter::TakeFailure() {
  const std::lock_guard lock(mutex_);
  return std::exchange(failure_, nullptr);
}

void WordFileWriter::Work(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!changed_.wait(lock, stop, [this] { return waiting_.has_value(); })) return;
    Job job = std::move(*waiting_);
    waiting_.reset();
    writing_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      write_(job.target, job.bytes.Written());
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    writing_ = false;
    if (!spare_) spare_ = std::move(job.bytes);
    // A failure that newer bytes will write over is no failure worth showing.
    if (!waiting_) failure_ = failure;
    const bool ended = !waiting_;
    changed_.notify_all();
    if (ended) QMetaObject::invokeMethod(this, &WordFileWriter::Ended, Qt::QueuedConnection);
  }
}

}  // namespace norumi
