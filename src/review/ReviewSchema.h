// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "review/Sqlite.h"

namespace norumi::review {

// Sets up a fresh connection to the review record (its journal, its durability, foreign keys)
// and brings the file's tables up to this version of the program, making them in a new file.
// Throws ReviewStoreError for a file of another program or of a newer version.
void PrepareSchema(SqliteDb& db);

}  // namespace norumi::review
