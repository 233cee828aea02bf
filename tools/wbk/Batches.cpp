#include "Batches.h"

#include <algorithm>
#include <deque>
#include <future>
#include <thread>
#include <vector>

namespace norumi::wbk {

void FormatInBatches(int count, const FormatItems& format,
                     const std::function<void(std::string_view)>& write) {
  constexpr int kBatch = 16384;
  const int batches = (count + kBatch - 1) / kBatch;
  const auto inFlight = size_t(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)) * 2;
  // The batches' buffers go round: a buffer the system gave back after each batch would cost
  // its page faults again, and all the threads would wait on them.
  std::vector<std::string> spare;
  std::deque<std::future<std::string>> pending;
  for (int next = 0; next < batches || !pending.empty();) {
    while (next < batches && pending.size() < inFlight) {
      const int begin = next * kBatch, end = std::min(count, begin + kBatch);
      std::string buffer;
      if (!spare.empty()) buffer = std::move(spare.back()), spare.pop_back();
      pending.push_back(
          std::async(std::launch::async, [&format, begin, end, out = std::move(buffer)]() mutable {
            out.clear();
            format(begin, end, out);
            return std::move(out);
          }));
      ++next;
    }
    std::string text = pending.front().get();
    pending.pop_front();
    write(text);
    spare.push_back(std::move(text));
  }
}

}  // namespace norumi::wbk
