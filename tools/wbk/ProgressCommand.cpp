// SPDX-License-Identifier: GPL-3.0-or-later
// wbk progress: the chart of past drills that the results window shows, as a picture.
#include "Commands.h"
#include "WordFiles.h"

#ifdef NORUMI_WBK_DRAW
#include <QImage>

#include "platform/text/WordFileName.h"
#include "quiz/ProgressChart.h"
#endif

namespace norumi::wbk {
namespace {

int RunProgress(const Invocation& call) {
  const Args args(call.args, {{"--png", true}, {"--direction", true}}, 1, 1);
  const auto png = args.Value("--png");
  if (!png) throw UsageError("--png OUT is needed");
  const std::string direction = args.Value("--direction").value_or("kor2jap");
  if (direction != "kor2jap" && direction != "jap2kor")
    throw UsageError("--direction takes kor2jap or jap2kor");
#ifdef NORUMI_WBK_DRAW
  const auto path = ArgPath(args.Positional()[0]);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, path);
  // A damaged file lost its histories or part of them: a chart of them would mislead.
  if (IsDamaged(status))
    throw Failure(ShowPath(path) + " is damaged (" + LoadStatusName(status) + "); nothing written");
  const TRirekiList& history = direction == "kor2jap" ? list.RirekiKor2Jap : list.RirekiJap2Kor;
  if (!ProgressChartImage(history.Records()).save(FromPath(ArgPath(*png)), "PNG"))
    throw Failure("cannot write " + *png);
  return 0;
#else
  throw Failure("this build of wbk cannot draw");
#endif
}

}  // namespace

const Command kProgressCommand{
    "progress", "FILE --png OUT [--direction kor2jap|jap2kor]",
    "draw the rate of every recorded drill as a chart",
    "Writes the chart the results window shows under its list: one bar per finished drill,\n"
    "oldest at the left, the latest in orange with its rate at the top right.\n"
    "--direction chooses the history: kor2jap (the default), that of \"出題(韓->日)\", or\n"
    "jap2kor, that of \"出題(日->韓)\". A file without a finished drill gives a blank picture.\n"
    "OUT is a PNG file, replaced when it exists; a damaged FILE is refused.\n",
    RunProgress};

}  // namespace norumi::wbk
