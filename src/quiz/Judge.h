// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Judging lives with the quiz session, below the windows that ask.
#include "session/Judge.h"
