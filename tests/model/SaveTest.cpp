// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ModelSamples.h"
#include "TempDir.h"
#include "model/TangoList.h"
#include "storage/FileErrors.h"

namespace norumi {
namespace {

std::vector<std::string> FolderContents(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SavingAWordFile, AFailureAtAnyStepLeavesTheOldFileAsItWas) {
  test::TempDir dir;
  const auto path = dir / "words.wbk";
  TTangoList list;
  test::FillSample(list);
  list.SaveToFile(path);
  const std::string before = test::ReadBytes(path);

  for (SaveStep failing : {SaveStep::CreateTemporary, SaveStep::Write, SaveStep::Flush,
                           SaveStep::Close, SaveStep::Replace}) {
    test::AddWord(list, "more", {1});
    try {
      list.SaveToFile(path, [&](SaveStep step) { return step == failing; });
      ADD_FAILURE() << "no error for step " << int(failing);
    } catch (const EFCreateError& error) {
      EXPECT_EQ(error.Path(), path);
    }
    EXPECT_EQ(test::ReadBytes(path), before) << int(failing);
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"words.wbk"});
  }
  list.SaveToFile(path);  // and without a fault it goes through
  EXPECT_NE(test::ReadBytes(path), before);
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"words.wbk"});
}

TEST(SavingAWordFile, RealFailuresReachTheCallerAsCreateErrors) {
  test::TempDir dir;
  TTangoList list;
  EXPECT_THROW(list.SaveToFile(dir / "no-such-folder" / "a.wbk"), EFCreateError);
  // A folder standing where the file should go cannot be replaced by a file.
  std::filesystem::create_directory(dir / "taken.wbk");
  std::filesystem::create_directory(dir / "taken.wbk" / "inside");
  EXPECT_THROW(list.SaveToFile(dir / "taken.wbk"), EFCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.wbk" / "inside"));
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"taken.wbk"});
}

TEST(LoadingAWordFile, AFolderInPlaceOfTheFileIsAnOpenError) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "d.wbk");
  TTangoList list;
  test::AddWord(list, "kept", {1});
  EXPECT_THROW(list.LoadFromFile(dir / "d.wbk"), EFOpenError);
  EXPECT_EQ(list.Count(), 1);  // entries are cleared only once the file could be read
}

}  // namespace
}  // namespace norumi
