// SPDX-License-Identifier: GPL-3.0-or-later
// Word files against odd files, hostile sizes, interrupted saves and other writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <functional>
#include <memory>

#include "ModelSamples.h"
#include "TempDir.h"
#include "model/WordFileUpdate.h"
#include "storage/FileErrors.h"
#include "storage/WordFileLock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace norumi {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What the selection window lists: any name holding ".wbk", in any case.
bool Listed(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  return name.find(".WBK") != std::string::npos;
}

TEST(SavingAWordFile, TemporariesAreNeverListedFitEveryNameAndDoNotOutliveTheNextSave) {
  test::TempDir dir;
  // The longest name a file system takes: 251 bytes of title and the extension.
  for (const std::string& name : {std::string(251, 'a') + ".wbk", std::string("X.WBK.wbk")}) {
    const fs::path path = dir / name;
    TTangoList list;
    test::FillSample(list);
    std::string temporary;
    list.SaveToFile(path, [&](SaveStep step) {
      if (step == SaveStep::Close)
        for (const std::string& seen : Names(dir.Path()))
          if (seen != name) temporary = seen;
      return false;
    });
    ASSERT_FALSE(temporary.empty()) << name;
    EXPECT_FALSE(Listed(temporary)) << temporary;
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_EQ(temporary[0], '.');

    // A save killed half-way leaves its temporary; the next save of the file removes it, and
    // leaves alone what is not its own.
    test::WriteBytes(dir / temporary, std::string(1000, 'x'));
    test::WriteBytes(dir / ".other.tmp", "x");
    list.SaveToFile(path);
    EXPECT_FALSE(fs::exists(dir / temporary));
    EXPECT_TRUE(fs::exists(dir / ".other.tmp"));
    fs::remove(dir / ".other.tmp");
    TTangoList back;
    EXPECT_EQ(back.LoadFromFile(path), LoadStatus::Intact);
    EXPECT_EQ(back.Count(), 3);
    fs::remove(path);
  }
}

#ifndef _WIN32

TEST(SavingAWordFile, KeepsModeAndOwnerAndRefusesAFileNobodyMayWrite) {
  test::TempDir dir;
  const fs::path path = dir / "w.wbk";
  TTangoList list;
  test::FillSample(list);
  for (const mode_t mode : {0600, 0640, 0664}) {
    list.SaveToFile(path);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    list.SaveToFile(path);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
  }
  if (::geteuid() == 0) {  // only a privileged process may hand a file to another owner
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    list.SaveToFile(path);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
  }

  // Read-only, even for a process that could replace it anyway.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const std::string before = test::ReadBytes(path);
  test::AddWord(list, "more", {1});
  EXPECT_THROW(list.SaveToFile(path), EFCreateError);
  EXPECT_EQ(test::ReadBytes(path), before);
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"w.wbk"});
}

#else

TEST(SavingAWordFile, KeepsAttributesAndRefusesAReadOnlyFile) {
  test::TempDir dir;
  const fs::path path = dir / "w.wbk";
  TTangoList list;
  test::FillSample(list);
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  for (const DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN), kKept, DWORD(0)}) {
    list.SaveToFile(path);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_ARCHIVE));
    list.SaveToFile(path);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kKept, attributes);
  }
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string before = test::ReadBytes(path);
  test::AddWord(list, "more", {1});
  EXPECT_THROW(list.SaveToFile(path), EFCreateError);
  EXPECT_EQ(test::ReadBytes(path), before);
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"w.wbk"});
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

#endif

// Names that only UTF-16 holds on Windows: Japanese whose CP932 bytes hold a backslash's, and
// Korean, which no code page of a Japanese Windows holds, in a folder named so too.
TEST(SavingAWordFile, NamesInAnyScriptSaveLoadAndLock) {
  test::TempDir dir;
  const fs::path folder = dir.Path() / fs::path(u"単語 表");
  fs::create_directory(folder);
  for (const fs::path& name : {fs::path(u"表ソ.wbk"), fs::path(u"한국어.wbk")}) {
    const fs::path path = folder / name;
    TTangoList list;
    test::FillSample(list);
    {
      const WordFileLock held(path);
      list.SaveToFile(path);
      list.SaveToFile(path);
      EXPECT_THROW(WordFileLock(path, std::chrono::milliseconds(0)), EFLockError);
    }
    TTangoList back;
    EXPECT_EQ(back.LoadFromFile(path), LoadStatus::Intact);
    EXPECT_EQ(back.Count(), 3);
  }
  // Neither a temporary nor a lock file is left.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

#ifndef _WIN32

TEST(LoadingAWordFile, OnlyRegularFilesWithinTheBoundAreReadAndNothingWaitsForAWriter) {
  test::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.wbk").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir / "zero.wbk");
  {
    // One byte past the bound; sparse, so it costs no disk.
    std::ofstream(dir / "huge.wbk", std::ios::binary).put('x');
    fs::resize_file(dir / "huge.wbk", kMaxReadBytes + 1);
  }
  for (const char* name : {"pipe.wbk", "zero.wbk", "huge.wbk"}) {
    TTangoList list;
    test::AddWord(list, "kept", {1});
    // A load that waited for a writer of the pipe would never return here.
    EXPECT_THROW(list.LoadFromFile(dir / name), EFOpenError) << name;
    EXPECT_EQ(list.Count(), 1) << name;
  }
  // Nor is the pipe left open for reading: a writer finds no reader.
  EXPECT_EQ(::open((dir / "pipe.wbk").c_str(), O_WRONLY | O_NONBLOCK), -1);
  EXPECT_EQ(errno, ENXIO);
  test::WriteBytes(dir / "small", "12345678901");
  EXPECT_THROW(ReadWholeFile(dir / "small", 10), EFOpenError);
  EXPECT_EQ(ReadWholeFile(dir / "small", 11), "12345678901");
}

#endif

// A writer who finds the lock held waits on its clock: it takes the lock once the holder lets
// go within the wait, and gives up at the end of the wait when the holder keeps it.
TEST(WordFileLock, AWaiterTakesTheLockLetGoOfAndGivesUpAtTheEndOfItsWait) {
  test::TempDir dir;
  const fs::path path = dir / "a.wbk";
  for (const int letGoAfter : {1, 3, -1}) {  // pauses; -1: never
    auto held = std::make_optional<WordFileLock>(path, std::chrono::milliseconds(0));
    // The test's own time, which only its pauses move.
    auto now = LockClock::TimePoint();
    int pauses = 0;
    const LockClock clock{[&] { return now; },
                          [&](std::chrono::milliseconds pause) {
                            now += pause;
                            if (++pauses == letGoAfter) held.reset();
                          }};
    if (letGoAfter < 0) {
      EXPECT_THROW(WordFileLock(path, std::chrono::seconds(1), {}, clock), EFLockError);
      EXPECT_GE(now - LockClock::TimePoint(), std::chrono::seconds(1));
    } else {
      EXPECT_NO_THROW(WordFileLock(path, std::chrono::seconds(1), {}, clock));
      EXPECT_EQ(pauses, letGoAfter);
    }
  }
}

TEST(WordFileLock, OneWriterAtATimeWithAnUnlistedLockFileAndABoundedWait) {
  test::TempDir dir;
  for (const std::string& name : {std::string("a.wbk"), std::string("B.WbK.wbk"),
                                  std::string(251, 'c') + ".wbk", std::string(".wbk")}) {
    const fs::path path = dir / name;
    const fs::path lockFile = LockFileOf(path);
    EXPECT_EQ(lockFile.parent_path(), path.parent_path());
    EXPECT_FALSE(Listed(lockFile.filename().string())) << lockFile;
    EXPECT_LE(lockFile.filename().string().size(), 255u);
    {
      const WordFileLock held(path);
      EXPECT_TRUE(fs::exists(lockFile));
      EXPECT_THROW(WordFileLock(path, std::chrono::milliseconds(0)), EFLockError) << name;
    }
    EXPECT_FALSE(fs::exists(lockFile)) << "left behind";
    EXPECT_NO_THROW(WordFileLock(path, std::chrono::milliseconds(0)));
  }
  EXPECT_NE(LockFileOf(dir / "a.wbk"), LockFileOf(dir / "b.wbk"));
  // No lock file, no save either: refused as the save would be.
  EXPECT_THROW(WordFileLock(dir / "no-folder" / "a.wbk"), EFCreateError);
}

int64_t ThisProcess() {
#ifdef _WIN32
  return int64_t(::GetCurrentProcessId());
#else
  return int64_t(::getpid());
#endif
}

// Whoever finds a file held learns at once who holds it; whatever else lies at the lock path is
// refused at once, never followed or waited on.
TEST(WordFileLock, NamesItsHolderAndRefusesAnythingButARegularLockFileAtOnce) {
  test::TempDir dir;
  const fs::path path = dir / "h.wbk";
  {
    const WordFileLock held(path, kWindowLockWait, "単語登録");
    try {
      WordFileLock(path, std::chrono::milliseconds(0));
      ADD_FAILURE() << "taken twice";
    } catch (const EFLockError& error) {
      EXPECT_EQ(error.Holder().program, "model_tests");
      EXPECT_EQ(error.Holder().process, ThisProcess());
      EXPECT_EQ(error.Holder().window, "単語登録");
    }
  }
  for (const char* odd : {"wbk\n12x\n", "wbk\n-5\n", "wbk\n99999999999\n"})
    EXPECT_EQ(ParseLockHolder(odd).process, 0) << "a process id and nothing else: " << odd;
  // Bytes that are no UTF-8 show as escapes, what is UTF-8 as it is.
  EXPECT_EQ(ParseLockHolder("w\xc0\xaf\n1\n\xed\xa0\x80出題\xe3\x81\n").window,
            "\\xed\\xa0\\x80出題\\xe3\\x81");
  EXPECT_EQ(ParseLockHolder("w\xc0\xaf\n").program, "w\\xc0\\xaf");

  using Make = std::function<void(const fs::path&)>;
  const Make folder = [](const fs::path& at) { fs::create_directory(at); };
#ifdef _WIN32
  for (const Make& make : {folder}) {
#else
  const Make fifo = [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0666), 0); };
  const Make link = [](const fs::path& at) { fs::create_symlink("elsewhere", at); };
  for (const Make& make : {fifo, link, folder}) {
#endif
    const fs::path word = dir / "odd.wbk";
    make(LockFileOf(word));
    // Were it waited on, an hour's wait would never end here.
    try {
      WordFileLock(word, std::chrono::hours(1));
      ADD_FAILURE() << "locked through an odd lock file";
    } catch (const EFLockFileError& error) {
      EXPECT_EQ(error.Path(), LockFileOf(word));
    }
    EXPECT_FALSE(fs::exists(dir / "elsewhere"));
    fs::remove(LockFileOf(word));
  }
}

#ifndef _WIN32

// The word file's bits, whatever the umask; another user's lock file still locks.
TEST(WordFileLock, ALockFileTakesTheWordFilesBitsAndLocksForAUserWhoMayOnlyReadIt) {
  test::TempDir dir;
  const fs::path shared = dir / "shared.wbk";
  test::WriteBytes(shared, "");
  fs::permissions(shared, fs::perms(0666));
  fs::permissions(dir.Path(), fs::perms(0777));
  const mode_t mask = ::umask(077);
  {
    const WordFileLock held(shared);
    struct stat info {};
    ASSERT_EQ(::stat(LockFileOf(shared).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u);
    fs::permissions(LockFileOf(shared), fs::perms(0444));
    // Another user, who may not write the lock file, waits for it all the same.
    if (::geteuid() == 0) {
      const pid_t child = ::fork();
      if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        try {
          WordFileLock(shared, std::chrono::milliseconds(0));
          ::_exit(1);
        } catch (const EFLockError&) {
          ::_exit(0);
        } catch (...) {
          ::_exit(2);
        }
      }
      int status = -1;
      ::waitpid(child, &status, 0);
      EXPECT_EQ(WEXITSTATUS(status), 0) << "1: taken twice, 2: refused, 3: no other user";
    }
  }
  ::umask(mask);
}

// A link to a word file of its folder is saved through, and stays a link; any other link is
// itself the target, which a save then refuses as no regular file.
TEST(SavingAWordFile, ThroughALinkToAWordFileOfTheSameFolderOnly) {
  test::TempDir dir;
  test::TempDir elsewhere;
  test::WriteBytes(dir / "real.wbk", "");
  test::WriteBytes(elsewhere / "out.wbk", "");
  const std::pair<fs::path, fs::path> rows[] = {// link to, then what a save writes
                                                {"real.wbk", fs::canonical(dir / "real.wbk")},
                                                {elsewhere / "out.wbk", dir / "link.wbk"},
                                                {"gone.wbk", dir / "link.wbk"},
                                                {".", dir / "link.wbk"}};
  for (const auto& [to, target] : rows) {
    fs::remove(dir / "link.wbk");
    fs::create_symlink(to, dir / "link.wbk");
    EXPECT_EQ(SaveTargetOf(dir / "link.wbk"), target) << to;
  }
  EXPECT_EQ(SaveTargetOf(dir / "real.wbk"), dir / "real.wbk");
  fs::remove(dir / "link.wbk");
  fs::create_symlink("real.wbk", dir / "link.wbk");
  TTangoList list;
  test::FillSample(list);
  list.SaveToFile(SaveTargetOf(dir / "link.wbk"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.wbk"));
  TTangoList back;
  EXPECT_EQ(back.LoadFromFile(dir / "link.wbk"), LoadStatus::Intact);
  EXPECT_EQ(back.Count(), list.Count());
}

// Runs `work` in a child process as another user (nobody); its exit status.
int AsAnotherUser(const std::function<int()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(work());
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// What another user leaves in a shared folder never keeps a writer out for good, nor lets a
// save fail only at the end; what a lock file's record says is only shown.
TEST(WordFileLock, AnotherUsersFilesInASharedFolderNeitherBlockNorMislead) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a second user";
  test::TempDir dir;
  const auto sharedFolder = [&](const char* name, fs::perms bits) {
    fs::create_directory(dir / name);
    fs::permissions(dir / name, bits);
    test::WriteBytes(dir / name / "f.wbk", "");
    fs::permissions(dir / name / "f.wbk", fs::perms(0666));
    return dir / name / "f.wbk";
  };
  const fs::path plain = sharedFolder("plain", fs::perms(0777));
  const fs::path sticky = sharedFolder("sticky", fs::perms(01777));
  const auto privateLockFile = [](const fs::path& word) {
    test::WriteBytes(LockFileOf(word), "");
    fs::permissions(LockFileOf(word), fs::perms(0600));
  };
  const auto kept = [](const fs::path& word) {
    try {
      const WordFileLock taken(word, std::chrono::milliseconds(0));
      return 1;
    } catch (const EFLockError&) {
      return 0;
    } catch (...) {
      return 2;
    }
  };
  const auto locks = [](const fs::path& word) {
    try {
      const WordFileLock held(word, std::chrono::milliseconds(0));
      // A second writer of the same kind meets the first.
      WordFileLock(word, std::chrono::milliseconds(0));
      return 1;
    } catch (const EFLockError&) {
      return 0;
    } catch (...) {
      return 2;
    }
  };
  struct Row {
    const char* what;
    std::function<int()> asOther;
  };
  const Row rows[] = {
      {"another user's private lock file is replaced", [&] { return locks(plain); }},
      {"in a sticky folder the writers meet at a second lock file", [&] { return locks(sticky); }},
      {"in a sticky folder another user's file cannot be replaced, and says so first",
       [&] {
         if (WriteObstacle(sticky) != FileCause::OwnedByOther) return 1;
         try {
           SaveFileReplacing(sticky, "x");
         } catch (const EFCreateError& e) {
           return e.Cause() == FileCause::OwnedByOther ? 0 : 2;
         }
         return 3;
       }},
  };
  for (const Row& row : rows) {
    privateLockFile(plain);
    privateLockFile(sticky);
    EXPECT_EQ(AsAnotherUser(row.asOther), 0) << row.what;
  }
  // The owner of the private lock file, who may open it, still meets those who may not.
  privateLockFile(sticky);
  {
    const WordFileLock owner(sticky, std::chrono::milliseconds(0));
    EXPECT_EQ(AsAnotherUser([&] { return kept(sticky); }), 0) << "got in beside the owner";
  }
  // A live process that is not the program the record names is nobody's.
  const WordFileLock held(plain, std::chrono::milliseconds(0));
  test::WriteBytes(LockFileOf(plain), "norumi\n1\n出題\n");
  try {
    WordFileLock(plain, std::chrono::milliseconds(0));
    ADD_FAILURE() << "taken twice";
  } catch (const EFLockError& error) {
    EXPECT_TRUE(error.Holder().program.empty() && error.Holder().process == 0 &&
                error.Holder().window.empty());
  }
}

#endif

// Names that differ only in case are one file on Windows, in any script, and so take one lock;
// elsewhere they are two files.
TEST(WordFileLock, NamesInAnotherCaseShareTheLockWhereTheyAreOneFile) {
  test::TempDir dir;
  const std::pair<std::u16string, std::u16string> names[] = {
      {u"Upper.WBK", u"upper.wbk"}, {u"ＡＢＣ.wbk", u"ａｂｃ.wbk"}, {u"Ωμέγα.wbk", u"ωμέγα.wbk"}};
  for (const auto& [held, other] : names) {
    const WordFileLock lock(dir.Path() / fs::path(held));
#ifdef _WIN32
    EXPECT_THROW(WordFileLock(dir.Path() / fs::path(other), std::chrono::milliseconds(0)),
                 EFLockError);
#else
    EXPECT_NO_THROW(WordFileLock(dir.Path() / fs::path(other), std::chrono::milliseconds(0)));
#endif
  }
}

TEST(WordFileLock, UpdateReadsUnderTheLockAndNeverSavesADamagedFile) {
  test::TempDir dir;
  const fs::path path = dir / "u.wbk";
  TTangoList list;
  LoadStatus seen = LoadStatus::Intact;
  const auto addWord = [&](LoadStatus status) {
    seen = status;
    test::AddWord(list, "w" + std::to_string(list.Count()), {1});
    return true;
  };
  EXPECT_EQ(UpdateWordFile(list, path, addWord), LoadStatus::Missing);
  EXPECT_EQ(seen, LoadStatus::Missing);
  // Another list that still holds the file as it was first loaded sees the word added since.
  TTangoList other;
  UpdateWordFile(other, path, [&](LoadStatus status) {
    seen = status;
    test::AddWord(other, "x", {2});
    return true;
  });
  EXPECT_EQ(seen, LoadStatus::Intact);
  TTangoList back;
  back.LoadFromFile(path);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Tango(0).Japan, "w0");

  std::string bytes = test::ReadBytes(path);
  bytes.resize(bytes.size() - 4);
  test::WriteBytes(path, bytes);
  bool changed = false;
  EXPECT_THROW(UpdateWordFile(list, path, [&](LoadStatus) { return changed = true; }),
               EFDamagedError);
  EXPECT_FALSE(changed);
  EXPECT_EQ(test::ReadBytes(path), bytes);
}

// The words as the TSV reader hands them on.
TangoRecords Records(const std::vector<TTango>& words) {
  TangoRecords records;
  for (const TTango& word : words) records.Append(ViewOf(word));
  return records;
}

// Work in proportion to the words, whatever the duplicates: each of these took minutes when
// lookups scanned the list or repeats piled up in one probe chain (their speed is measured by
// BM_MergeRepeatedWord and BM_ImportWords).
TEST(WordListWork, MergesAndImportsTakeLinearTimeWithTheResultsOfPlainLookups) {
  constexpr int kCopies = 300'000;
  TTangoList target;
  std::vector<std::unique_ptr<TTangoList>> others;
  others.push_back(std::make_unique<TTangoList>());
  others.push_back(std::make_unique<TTangoList>());
  for (int i = 0; i < kCopies; ++i) test::AddWord(target, "same", {1, 0});
  test::AddWord(target, "held", {2});
  for (int i = 0; i < kCopies; ++i)
    test::AddWord(*others[0], i % 2 ? "same" : "new", {i % 2 ? 1 : 3, 0});
  test::AddWord(*others[1], "new", {3, 0});
  target.MergeAllMoving(std::move(others));
  // Both lists' repeats of a word the target lacked are appended; the third list's is not.
  EXPECT_EQ(target.Count(), kCopies + 1 + kCopies / 2);
  EXPECT_EQ(target.Tango(kCopies + 1).Japan, "new");

  TTangoList file;
  std::vector<TTango> words;
  for (int i = 0; i < 100'000; ++i) test::AddWord(file, "w" + std::to_string(i), {i});
  for (int i = 50'000; i < 150'000; ++i) {
    words.emplace_back();
    words.back().Japan = "w" + std::to_string(i);
    words.back().Hangul = {i};
    words.back().Setsumei = i % 10 ? "" : "note";  // an explanation makes another entry
  }
  words.push_back(words.back());  // repeated within the import: added once
  const TangoRecords records = Records(words);
  int added = 0;
  added = file.AddAbsent(records);
  EXPECT_EQ(added, 50'000 + 5'000);
  EXPECT_EQ(file.Count(), 155'000);
  EXPECT_TRUE(file.Contains(words[0]));
  EXPECT_TRUE(file.Contains(words.back()));
  EXPECT_EQ(file.Tango(100'000).Setsumei, "note");
}

// The word hash the index once used, which anyone could compute: the model of a file made so
// that all its words fall into one slot of the index.
uint64_t UnkeyedWordHash(const TTango& t) {
  uint64_t h = std::hash<std::string_view>()(t.Japan);
  for (int32_t code : t.Hangul)
    h ^= static_cast<uint32_t>(code) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h * 0xBF58476D1CE4E5B9ull;
}

// With that hash, loading one word into such a file of 80,000 words took half a minute.
TEST(WordListWork, WordsMadeToCollideUnderAKnownHashAreStillImportedAndMergedInLinearTime) {
  constexpr uint64_t kSlots = (uint64_t(1) << 24) - 1;  // any index of up to 16M slots
  TTangoList crafted;
  // The same file read twice more, to be merged.
  std::vector<std::unique_ptr<TTangoList>> copies;
  copies.push_back(std::make_unique<TTangoList>());
  copies.push_back(std::make_unique<TTangoList>());
  for (int i = 0; i < 200'000; ++i) {
    // The one code that brings the low bits of the word's hash to zero.
    const std::string japan = "w" + std::to_string(i);
    const uint64_t h = std::hash<std::string_view>()(japan);
    const uint64_t code = (h - 0x9E3779B97F4A7C15ull - (h << 6) - (h >> 2)) & kSlots;
    for (TTangoList* list : {&crafted, copies[0].get(), copies[1].get()})
      test::AddWord(*list, japan, {int32_t(code)});
    ASSERT_EQ(UnkeyedWordHash(crafted.Tango(i)) & kSlots, 0u);
  }
  std::vector<TTango> one(1);
  one[0].Japan = "new";
  const TangoRecords records = Records(one);
  EXPECT_EQ(crafted.AddAbsent(records), 1);
  for (auto& copy : copies) copy->AddAbsent(records);
  TTangoList merged;
  merged.MergeAllMoving(std::move(copies));
  EXPECT_EQ(merged.Count(), 200'001);
}

}  // namespace
}  // namespace norumi
