// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batches.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "model/Parallel.h"

namespace norumi::wbk {

namespace {

// Batches are small enough for their text to stay in the cache between being made and written.
constexpr int kBatch = 4096;

// The batches' texts: batch n is made in slot n % slots, and a slot is taken again only once its
// text is written. Their buffers go round: a buffer the system gave back after each batch would
// cost its page faults again, and all the threads would wait on them.
class Ring {
 public:
  Ring(int count, int threads)
      : count_(count), batches_((count + kBatch - 1) / kBatch), slots_(size_t(threads) * 2) {}

  // Makes batches until there are none left or the writing stopped.
  void Make(const FormatItems& format) {
    for (;;) {
      std::unique_lock lock(mutex_);
      freed_.wait(lock, [this] { return stop_ || next_ == batches_ || next_ < Free(); });
      if (stop_ || next_ == batches_) return;
      const int batch = next_++;
      lock.unlock();
      Slot& slot = slots_[size_t(batch) % slots_.size()];
      slot.text.clear();
      try {
        format(batch * kBatch, std::min(count_, (batch + 1) * kBatch), slot.text);
      } catch (...) {
        slot.failure = std::current_exception();
      }
      lock.lock();
      slot.made = true;
      made_.notify_one();  // only the writer waits for a batch
    }
  }

  // Hands every batch's text to `write` in order; a batch that could not be made throws here.
  void Write(const std::function<void(std::string_view)>& write) {
    for (int batch = 0; batch < batches_; ++batch) {
      Slot& slot = slots_[size_t(batch) % slots_.size()];
      {
        std::unique_lock lock(mutex_);
        made_.wait(lock, [&slot] { return slot.made; });
      }
      if (slot.failure) std::rethrow_exception(slot.failure);
      write(slot.text);
      const std::lock_guard lock(mutex_);
      slot.made = false;
      ++written_;
      freed_.notify_one();  // one slot for one thread
    }
  }

  // Lets the threads making batches end at once.
  void Stop() {
    const std::lock_guard lock(mutex_);
    stop_ = true;
    freed_.notify_all();
  }

 private:
  struct Slot {
    std::string text;
    bool made = false;
    std::exception_ptr failure;
  };

  // The first batch that has no slot yet.
  int Free() const { return written_ + int(slots_.size()); }

  const int count_;
  const int batches_;
  std::vector<Slot> slots_;
  std::mutex mutex_;
  std::condition_variable made_;   // a batch was made
  std::condition_variable freed_;  // a slot was freed, or the writing stopped
  int next_ = 0;                   // the next batch to make
  int written_ = 0;                // the batches written
  bool stop_ = false;
};

}  // namespace

void FormatInBatches(int count, const FormatItems& format,
                     const std::function<void(std::string_view)>& write) {
  const int batches = (count + kBatch - 1) / kBatch;
  const auto alone = [&] {
    std::string text;
    for (int from = 0; from < count; from += kBatch) {
      text.clear();
      format(from, std::min(count, from + kBatch), text);
      write(text);
    }
  };
  // The calling thread writes; the batches are made on threads of their own.
  const int threads = int(Workers(size_t(batches), 1));
  if (batches <= 1) return alone();  // one batch is not worth a thread
  Ring ring(count, threads);
  std::vector<std::jthread> makers;
  // Declared after the ring, so that the threads are stopped and joined before it goes, also
  // when writing throws.
  struct StopAtEnd {
    Ring& ring;
    std::vector<std::jthread>& makers;
    ~StopAtEnd() {
      ring.Stop();
      makers.clear();
    }
  } stopAtEnd{ring, makers};
  for (int i = 0; i < threads; ++i) StartWorker(makers, [&ring, &format] { ring.Make(format); });
  if (makers.empty()) return alone();  // no thread to be had
  ring.Write(write);
}

}  // namespace norumi::wbk
