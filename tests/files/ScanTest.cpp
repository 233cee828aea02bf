// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TempDir.h"
#include "files/WbkDialog.h"
#include "platform/text/WordFileName.h"

namespace norumi {
namespace {

namespace fs = std::filesystem;

TEST(FilesScan, CountsNamesHoldingTheExtensionAnywhereAndNeverFollowsLinkedFolders) {
  test::TempDir folder;
  for (const char* name : {"a.wbk", "B.WBK", "notes.txt", "old.wbk.bak", "sub/c.wbk"}) {
    fs::create_directories((folder / name).parent_path());
    test::WriteBytes(folder / name, "x");
  }
  fs::create_directory(folder / "sub" / "deeper.wbk");  // a folder is scanned, not counted
  test::WriteBytes(folder / "sub" / "deeper.wbk" / "d.Wbk", "x");
  fs::create_directory_symlink("..", folder / "sub" / "loop");
  fs::create_symlink(folder / "a.wbk", folder / "linked.wbk");  // a linked file counts

  QStringList names;
  EXPECT_EQ(TfrmWBKDialog::FindFiles(folder.Path(), ".wbk", false, &names), 6);
  names.sort();
  EXPECT_EQ(names, QStringList({"B.WBK", "a.wbk", "c.wbk", "d.Wbk", "linked.wbk", "old.wbk.bak"}));

  QStringList paths;
  EXPECT_EQ(TfrmWBKDialog::FindFiles(folder.Path(), ".WBK", true, &paths), 6);
  EXPECT_TRUE(paths.contains(FromPath(folder / "sub" / "deeper.wbk" / "d.Wbk")));
  EXPECT_EQ(TfrmWBKDialog::FindFiles(folder.Path(), ".wbk", false, nullptr), 6);
  EXPECT_EQ(TfrmWBKDialog::FindFiles(folder / "missing", ".wbk", false, &names), 0);
}

}  // namespace
}  // namespace norumi
