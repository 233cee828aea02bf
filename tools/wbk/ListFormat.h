// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/TangoList.h"

namespace norumi::wbk {

// Takes a long text in parts, in order: a list of a million words is written as it is made.
using TextSink = std::function<void(std::string_view)>;

// A loaded word file as one JSON object (see `wbk dump --help`), ending in a line break.
void WriteListJson(const TTangoList& list, LoadStatus status, const TextSink& write);

// The words of a loaded word file as lines of tab-separated text, which wbk import reads back.
void WriteListTsv(const TTangoList& list, const TextSink& write);

// A loaded word file as a listing for people.
void WriteListText(const TTangoList& list, LoadStatus status, const TextSink& write);

}  // namespace norumi::wbk
