// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

namespace norumi {

class IDialogs;

// The two folders every program of ours works with, decided here and nowhere else.
struct ProgramFolders {
  // What the learner writes: word files, teach.txt, pomnor.dat.
  std::filesystem::path words;
  // What the program only reads: euc2uni.dll, the help page, the starter word files (the word
  // files lying in this folder itself) and a "translations" folder.
  std::filesystem::path data;
};

// The data folder of the program in `programFolder`: "../share/norumi" beside its bin folder
// when it is installed under a prefix (/usr, /opt/norumi, an unpacked package), otherwise the
// program folder itself, a portable copy with its data files beside it.
std::filesystem::path DataFolderOf(const std::filesystem::path& programFolder);

// Where the program in `programFolder` keeps its files. A portable copy keeps word files beside
// itself while its folder can be written; an installed program, whoever runs it, and a portable
// copy whose folder cannot be written keep them in `learnerFolder`. Writes nothing that stays.
ProgramFolders FoldersOf(const std::filesystem::path& programFolder,
                         const std::filesystem::path& learnerFolder);

// The learner's own data folder: the application data folder of the organisation "tarumo" and
// the application "norumi" (~/.local/share/tarumo/norumi, %APPDATA%\tarumo\norumi), whichever
// program of ours asks.
std::filesystem::path LearnerFolder();

// Makes the word folder when it does not exist yet, holding a writable copy of every word file
// of the data folder: the starter files on a first start. The folder appears whole or not at
// all; one that exists already is left as it is, so a starter file the learner deleted stays
// deleted. False when the word folder is still missing afterwards.
bool PrepareWordFolder(const ProgramFolders& folders);

// What keeps the word folder from being made: something other than a folder at its place or
// at the place of a folder above it, or a folder above it that cannot be written.
struct FolderObstacle {
  enum class Kind { BrokenLink, File, NoFolder, ReadOnly };
  Kind kind;
  std::filesystem::path where;
};
// None when nothing is found in the way (the folder exists, or could be made).
std::optional<FolderObstacle> WordFolderObstacle(const std::filesystem::path& words);

// Prepares the word folder; where it cannot be made, says what is in the way and offers the
// program's own folder (when it can be written) or a folder the user chooses, for this run only:
// nothing is written that would keep it. Declined, the folders stay as they are and the windows say
// the word folder cannot be used when they need it.
ProgramFolders SettleWordFolder(ProgramFolders folders, const std::filesystem::path& programFolder,
                                IDialogs& dialogs);

}  // namespace norumi
