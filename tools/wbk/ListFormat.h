#pragma once

#include <string>

#include "model/TangoList.h"

namespace norumi::wbk {

// A loaded word file as one JSON object (see `wbk dump --help`), ending in a line break.
std::string ListToJson(const TTangoList& list, LoadStatus status);

// A loaded word file as a listing for people.
std::string ListToText(const TTangoList& list, LoadStatus status);

}  // namespace norumi::wbk
