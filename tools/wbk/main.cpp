// SPDX-License-Identifier: GPL-3.0-or-later
// wbk, the word-book tool: word files from the command line, for teachers and scripts.
#include <QCoreApplication>
#include <cctype>
#include <exception>
#include <memory>

#include "Commands.h"
#include "storage/FileErrors.h"

#ifdef NORUMI_WBK_DRAW
#include <QGuiApplication>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#ifdef NORUMI_WBK_DRAWER
#include <unistd.h>

#include <filesystem>
#endif

namespace norumi::wbk {
namespace {

const Command* const kCommands[] = {
    &kNewCommand,   &kDumpCommand,     &kCheckCommand,        &kImportCommand, &kExportCommand,
    &kMergeCommand, &kMailCodeCommand, &kReadMailCodeCommand, &kHangulCommand, &kProgressCommand,
    &kJudgeCommand, &kReviewCommand,   &kPronounceCommand,
};

std::string Overview() {
  std::string text =
      "Usage: wbk COMMAND [ARGUMENTS]\n\n"
      "Word files from the command line. Text on the command line, in TSV and JSON is UTF-8.\n"
      "Exit status: 0 done, 1 the operation failed, 2 wrong usage.\n\nCommands:\n";
  for (const Command* command : kCommands) {
    std::string name(command->name);
    name.resize(15, ' ');
    text += "  " + name + std::string(command->summary) + "\n";
  }
  return text + "\nwbk COMMAND --help tells more about one command.\n";
}

std::string Help(const Command& command) {
  std::string summary(command.summary);
  summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  return "Usage: wbk " + std::string(command.name) + " " + std::string(command.synopsis) + "\n\n" +
         summary + ".\n\n" + std::string(command.details);
}

const Command* Find(std::string_view name) {
  for (const Command* command : kCommands)
    if (command->name == name) return command;
  return nullptr;
}

// Who holds a lock, as its lock file says.
std::string HolderText(const LockHolder& holder) {
  if (holder.program.empty() && holder.process == 0) return "another program (or another wbk)";
  std::string text = holder.program.empty() ? "another program" : holder.program;
  if (holder.process > 0) text += " (process " + std::to_string(holder.process) + ")";
  if (!holder.window.empty()) text += ", " + holder.window;
  return EscapeControls(text);
}

std::string CauseText(FileCause cause) {
  switch (cause) {
    case FileCause::FolderReadOnly:
      return ": its folder cannot be written";
    case FileCause::FileReadOnly:
      return ": the file is read-only";
    case FileCause::DiskFull:
      return ": the disk is full";
    case FileCause::NameTooLong:
      return ": the name is too long for the file system";
    case FileCause::NotAFile:
      return ": not a regular file";
    case FileCause::OwnedByOther:
      return ": it belongs to another user, and its folder lets only owners replace files";
    case FileCause::Unknown:
      break;
  }
  return "";
}

int Run(const Command& command, const Invocation& call) {
  const std::string prefix = "wbk " + std::string(command.name) + ": ";
  try {
    return command.run(call);
  } catch (const HelpRequested&) {
    WriteOut(Help(command));
    return 0;
  } catch (const UsageError& error) {
    WriteErr(prefix + EscapeControls(error.what()) + "\nUsage: wbk " + std::string(command.name) +
             " " + std::string(command.synopsis) + "\n");
    return 2;
  } catch (const Failure& error) {
    WriteErr(prefix + EscapeControls(error.what()) + "\n");
  } catch (const EFLockError& error) {
    WriteErr(prefix + ShowPath(error.Path()) + " is being changed by " +
             HolderText(error.Holder()) + "; nothing written, try again\n");
  } catch (const EFDamagedError& error) {
    WriteErr(prefix + ShowPath(error.Path()) + " is damaged; nothing written\n");
  } catch (const EFLockFileError& error) {
    WriteErr(prefix + "the lock file " + ShowPath(error.Path()) +
             (error.Cause() == FileCause::OwnedByOther
                  ? " belongs to another user, who keeps it private"
                  : " is not a regular file") +
             "; nothing written\n");
  } catch (const EFOpenError& error) {
    WriteErr(prefix + "cannot read " + ShowPath(error.Path()) + "\n");
  } catch (const EFileError& error) {
    WriteErr(prefix + "cannot write " + ShowPath(error.Path()) + CauseText(error.Cause()) + "\n");
  } catch (const std::exception& error) {
    WriteErr(prefix + EscapeControls(error.what()) + "\n");
  }
  return 1;
}

// Text in a picture needs fonts, which only a GUI application has; it runs on the offscreen
// platform, so no display is needed and no window is ever shown.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
#ifdef NORUMI_WBK_DRAW
  if (argc > 1 && std::string_view(argv[1]) == "progress") {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
  }
#endif
  return std::make_unique<QCoreApplication>(argc, argv);
}

#ifdef NORUMI_WBK_DRAWER
// Whether the command draws a picture: those run in the drawing program (see its build).
bool Draws(int argc, char** argv) {
  if (argc < 2) return false;
  const std::string_view name = argv[1];
  return name == "progress" ||
         (name == "hangul" && argc > 2 && std::string_view(argv[2]) == "draw");
}

// Runs a drawing command in the drawing program, which lies beside wbk where it is built and
// under lib/norumi where it is installed. Returns only when there is none to run: the command
// then says that this wbk cannot draw.
void HandOnDrawing(int argc, char** argv) {
  if (!Draws(argc, argv)) return;
  std::error_code error;
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  if (error) return;
  for (const auto& drawer :
       {folder / NORUMI_WBK_DRAWER, folder / ".." / "lib" / "norumi" / NORUMI_WBK_DRAWER})
    ::execv(drawer.c_str(), argv);
}
#endif

}  // namespace
}  // namespace norumi::wbk

int main(int argc, char** argv) {
  using namespace norumi::wbk;
#ifdef NORUMI_WBK_DRAWER
  HandOnDrawing(argc, argv);
#endif
  // Knows where the tool lies: the EUC-KR table is read from beside it.
  const auto application = MakeApplication(argc, argv);
#ifdef _WIN32
  // Bytes in and out as they are: TSV and codes carry their own line ends.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc < 2) {
    WriteErr(Overview());
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    const Command* command = argc > 2 ? Find(argv[2]) : nullptr;
    WriteOut(command ? Help(*command) : Overview());
    return 0;
  }
  if (const Command* command = Find(name))
    return Run(*command, {command->name, std::vector<std::string>(argv + 2, argv + argc)});
  WriteErr("wbk: unknown command \"" + std::string(name) + "\"; wbk --help lists them\n");
  return 2;
}
