// SPDX-License-Identifier: GPL-3.0-or-later
// Whole processes timed against the physical floor measured in the same run: wbk's commands
// against cat and cp of the same bytes, and the program's start against a bare Qt window on the
// same display. Each benchmark runs once and reports its ratios as counters:
//   x_floor    time against the floor it names (best of several runs of each)
//   peak_MiB   the process's peak resident memory
//   mem_x_file (peak - 16 MiB) / the size of the file it works on
// Targets: load x_floor <= 10, load+save <= 6, export and dump <= 2 of a load, import <= 2 of a
// load and save of its result; memory of a load <= 2.5, of import and merge <= 4; a start <= 1.5
// of a bare window. BM_HugeFile (a 1 GiB file of minimal entries) runs with NORUMI_BENCH_HUGE=1.
// On learners' files (RealisticWords.h): a load <= 5 x cat, a load and save <= 2.5 x cat and a
// copy flushed to the disk, peak memory of a load and save <= 1.5 x the file (+16 MiB), and a
// load and save in linear time: BM_RealisticScaling, which compares a million words with five
// million (a file of 400 MB), runs with NORUMI_BENCH_5M=1.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

#include "BenchWords.h"
#include "RealisticWords.h"
#include "model/ByteStream.h"
#include "model/Rireki.h"

extern char** environ;

namespace norumi::bench {
namespace {

namespace fs = std::filesystem;

struct Run {
  double seconds = 0;
  double peakMiB = 0;
};

// Starts `args` (the program looked for on the PATH) with `actions`, which it then destroys;
// the process, or -1 when it could not be started.
pid_t Spawn(const std::vector<std::string>& args, posix_spawn_file_actions_t& actions) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

// Runs a program to its end, its output to `out`; throws when it fails. Only the time is read
// here: the peak memory the system reports counts this process's own.
Run RunProgram(const std::vector<std::string>& args, const std::string& out = "/dev/null") {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(args, actions);
  if (pid < 0) throw std::runtime_error("cannot start " + args[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = Seconds(std::chrono::steady_clock::now() - start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
  return {seconds, 0};
}

// The peak resident memory of a run of `args`, in MiB, measured through a small process of its
// own (see PeakMemory.cpp).
double PeakMiB(const std::vector<std::string>& args, const fs::path& folder) {
  const fs::path report = folder / "peak.txt";
  std::vector<std::string> measured{NORUMI_PEAK_MEMORY, report.string()};
  measured.insert(measured.end(), args.begin(), args.end());
  RunProgram(measured);
  std::ifstream in(report);
  double kib = 0;
  in >> kib;
  return kib / 1024;
}

// The fastest of `runs` runs, and the peak memory of one more; `before` runs untimed before each.
template <typename Before = void (*)()>
Run Best(
    int runs, const std::vector<std::string>& args, const fs::path& folder, Before before = [] {}) {
  Run best{1e9, 0};
  for (int i = 0; i < runs; ++i) {
    before();
    best.seconds = std::min(best.seconds, RunProgram(args).seconds);
  }
  before();
  best.peakMiB = PeakMiB(args, folder);
  return best;
}

double FileMiB(const fs::path& path) {
  return double(fs::file_size(path)) / (1 << 20);
}

// The files every benchmark here works on, made once.
struct Files {
  test::TempDir dir;
  fs::path words = dir / "words.wbk";    // 1,000,000 words
  fs::path base = dir / "base.wbk";      // 100,000 words
  fs::path tsv = dir / "import.tsv";     // 100,000 other words
  fs::path result = dir / "result.wbk";  // base with the TSV's words imported
  std::string wbk = NORUMI_WBK;

  Files() {
    SaveWords(words, 1'000'000);
    SaveWords(base, 100'000);
    TTangoList other;
    FillWords(other, 100'000, 7);
    other.SaveToFile(dir / "other.wbk");
    RunProgram({wbk, "export", (dir / "other.wbk").string()}, tsv.string());
    fs::copy_file(base, result);
    RunProgram({wbk, "import", result.string(), tsv.string()});
    // Written back now: the system would otherwise write the new files out during the timed
    // runs, and slow whichever ran first.
    ::sync();
  }
};

Files& Data() {
  static Files files;
  return files;
}

void Report(benchmark::State& state, double seconds, double floor, const Run& run,
            const fs::path& file) {
  state.counters["ms"] = seconds * 1000;
  state.counters["x_floor"] = seconds / floor;
  state.counters["peak_MiB"] = run.peakMiB;
  state.counters["mem_x_file"] = (run.peakMiB - 16) / FileMiB(file);
}

// A load: wbk check against cat of the same file.
void BM_Load(benchmark::State& state) {
  Files& f = Data();
  for (auto _ : state) {
    const Run cat = Best(5, {"cat", f.words.string()}, f.dir.Path());
    const Run load = Best(5, {f.wbk, "check", f.words.string()}, f.dir.Path());
    Report(state, load.seconds, cat.seconds, load, f.words);
  }
}

// A load and a save: wbk merge of one file against cat and cp of it.
void BM_LoadSave(benchmark::State& state) {
  Files& f = Data();
  const auto out = (f.dir / "merged.wbk").string();
  for (auto _ : state) {
    const double floor =
        Best(5, {"cat", f.words.string()}, f.dir.Path()).seconds +
        Best(5, {"cp", f.words.string(), (f.dir / "copy.wbk").string()}, f.dir.Path()).seconds;
    const Run merge = Best(5, {f.wbk, "merge", out, f.words.string(), "--force"}, f.dir.Path());
    Report(state, merge.seconds, floor, merge, f.words);
  }
}

// export, dump and dump --json against the load they start with.
void BM_Listing(benchmark::State& state, std::vector<std::string> command) {
  Files& f = Data();
  command.insert(command.begin(), f.wbk);
  command.push_back(f.words.string());
  for (auto _ : state) {
    const Run load = Best(5, {f.wbk, "check", f.words.string()}, f.dir.Path());
    const Run listing = Best(5, command, f.dir.Path());
    Report(state, listing.seconds, load.seconds, listing, f.words);
  }
}

// wbk import of 100,000 words into a file of as many, against a load and save of the result;
// its memory importing them into the file of a million words.
void BM_Import(benchmark::State& state) {
  Files& f = Data();
  const fs::path target = f.dir / "target.wbk";
  const auto fresh = [&] { fs::copy_file(f.base, target, fs::copy_options::overwrite_existing); };
  const auto merged = (f.dir / "merged.wbk").string();
  for (auto _ : state) {
    const Run loadSave =
        Best(5, {f.wbk, "merge", merged, f.result.string(), "--force"}, f.dir.Path());
    const Run import =
        Best(5, {f.wbk, "import", target.string(), f.tsv.string()}, f.dir.Path(), fresh);
    Report(state, import.seconds, loadSave.seconds, import, f.result);
    // Memory is measured where it tells: the same words into the file of a million.
    fs::copy_file(f.words, target, fs::copy_options::overwrite_existing);
    const double peak = PeakMiB({f.wbk, "import", target.string(), f.tsv.string()}, f.dir.Path());
    state.counters["peak_MiB"] = peak;
    state.counters["mem_x_file"] = (peak - 16) / FileMiB(target);
  }
}

// A file of 1 GiB holding nothing but entries of the smallest kind: loaded, or refused at once.
void BM_HugeFile(benchmark::State& state) {
  if (!std::getenv("NORUMI_BENCH_HUGE")) {
    state.SkipWithError("set NORUMI_BENCH_HUGE=1 to write and load a 1 GiB file");
    return;
  }
  Files& f = Data();
  const fs::path huge = f.dir / "huge.wbk";
  constexpr int32_t kKey = 7;
  constexpr size_t kEntries = (size_t(1) << 30) / 16 - 64;
  {
    ByteWriter head;
    for (int32_t value : {1, 0, kKey}) head.WriteInt32(value);
    for (int text = 0; text < 4; ++text) head.WriteInt32(kKey);  // four empty texts
    for (int32_t value : {1 ^ kKey, 0 ^ kKey, kKey, int32_t(kEntries) ^ kKey})
      head.WriteInt32(value);
    ByteWriter tail;
    tail.WriteInt32(kKey);
    TRirekiList().SaveToStream(tail);
    TRirekiList().SaveToStream(tail);
    tail.WriteInt32(kKey);
    std::ofstream out(huge, std::ios::binary);
    out.write(head.Data().data(), std::streamsize(head.Data().size()));
    std::string entries(16 << 20, '\0');  // each entry four int32 values equal to the key
    for (size_t i = 0; i < entries.size(); i += 4) entries[i] = char(kKey);
    for (size_t written = 0; written < kEntries; written += entries.size() / 16) {
      const size_t n = std::min(entries.size() / 16, kEntries - written);
      out.write(entries.data(), std::streamsize(n * 16));
    }
    out.write(tail.Data().data(), std::streamsize(tail.Data().size()));
  }
  for (auto _ : state) {
    state.counters["s"] = RunProgram({f.wbk, "check", huge.string()}).seconds;
    state.counters["peak_GiB"] = PeakMiB({f.wbk, "check", huge.string()}, f.dir.Path()) / 1024;
  }
  fs::remove(huge);
}

// A learner's file of `words` words, made once per size.
const fs::path& RealisticFile(int words) {
  static std::map<int, fs::path> files;
  auto& path = files[words];
  if (path.empty()) {
    path = Data().dir / ("realistic" + std::to_string(words) + ".wbk");
    SaveRealisticWords(path, words);
    ::sync();
  }
  return path;
}

// The floor of a load and save: reading the file, and copying it to a file flushed to the disk.
double ReadAndFlushedCopy(const fs::path& file) {
  const fs::path& dir = Data().dir.Path();
  const std::string copy = "of=" + (dir / "copy.wbk").string();
  return Best(5, {"cat", file.string()}, dir).seconds +
         Best(5, {"dd", "if=" + file.string(), copy, "bs=1M", "conv=fsync", "status=none"}, dir)
             .seconds;
}

Run LoadAndSave(const fs::path& file) {
  const fs::path& dir = Data().dir.Path();
  return Best(5, {NORUMI_WBK, "merge", (dir / "saved.wbk").string(), file.string(), "--force"},
              dir);
}

void BM_RealisticLoad(benchmark::State& state) {
  const fs::path& file = RealisticFile(int(state.range(0)));
  const fs::path& dir = Data().dir.Path();
  for (auto _ : state) {
    const Run cat = Best(5, {"cat", file.string()}, dir);
    const Run load = Best(5, {NORUMI_WBK, "check", file.string()}, dir);
    Report(state, load.seconds, cat.seconds, load, file);
  }
}

void BM_RealisticLoadSave(benchmark::State& state) {
  const fs::path& file = RealisticFile(int(state.range(0)));
  for (auto _ : state) {
    const double floor = ReadAndFlushedCopy(file);
    const Run run = LoadAndSave(file);
    Report(state, run.seconds, floor, run, file);
  }
}

// How a load and save grows from one to five million words: the exponent k of time ~ words^k.
void BM_RealisticScaling(benchmark::State& state) {
  if (!std::getenv("NORUMI_BENCH_5M")) {
    state.SkipWithError("set NORUMI_BENCH_5M=1 to write and load a file of 5M words");
    return;
  }
  const fs::path& small = RealisticFile(1'000'000);
  const fs::path& large = RealisticFile(5'000'000);
  for (auto _ : state) {
    const Run one = LoadAndSave(small);
    const Run five = LoadAndSave(large);
    const double floor = ReadAndFlushedCopy(large);
    state.counters["ms_1M"] = one.seconds * 1000;
    state.counters["ms_5M"] = five.seconds * 1000;
    state.counters["exponent"] = std::log(five.seconds / one.seconds) / std::log(5.0);
    state.counters["x_floor_5M"] = five.seconds / floor;
    state.counters["mem_x_file_5M"] = (five.peakMiB - 16) / FileMiB(large);
  }
}

// The time from starting a process to its first window painted, read off its standard output.
double TimeToFirstPaint(const std::vector<std::string>& args) {
  int pipe[2];
  if (::pipe(pipe) != 0) throw std::runtime_error("no pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe[0]);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(args, actions);
  ::close(pipe[1]);
  char byte = 0;
  const bool painted = pid >= 0 && ::read(pipe[0], &byte, 1) == 1;
  const double seconds = Seconds(std::chrono::steady_clock::now() - start);
  ::close(pipe[0]);
  if (pid >= 0) waitpid(pid, nullptr, 0);
  if (!painted) throw std::runtime_error(args[0] + " painted nothing");
  return seconds;
}

// The program's start to its menu painted, against a bare Qt window: runs taken in turn, medians
// compared. The settings it writes go to a folder of the benchmark's own.
void BM_StartUp(benchmark::State& state) {
  Files& f = Data();
  ::setenv("XDG_CONFIG_HOME", (f.dir / "config").c_str(), 1);
  // Without a display the windows are painted off the screen, which says less but still compares.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string probe = NORUMI_STARTPROBE;
  for (auto _ : state) {
    std::vector<double> bare, menu;
    for (int i = 0; i < 15; ++i) {
      bare.push_back(TimeToFirstPaint({probe, "bare"}));
      menu.push_back(TimeToFirstPaint({probe}));
    }
    std::sort(bare.begin(), bare.end());
    std::sort(menu.begin(), menu.end());
    state.counters["bare_ms"] = bare[bare.size() / 2] * 1000;
    state.counters["menu_ms"] = menu[menu.size() / 2] * 1000;
    state.counters["x_floor"] = menu[menu.size() / 2] / bare[bare.size() / 2];
  }
}

BENCHMARK(BM_Load)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSave)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Listing, export, {"export"})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Listing, dump, {"dump"})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Listing, dump_json, {"dump", "--json"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeFile)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealisticLoad)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealisticLoadSave)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealisticScaling)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
