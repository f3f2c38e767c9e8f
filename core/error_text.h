#pragma once

#include <string>

#include "runtime_error.h"

namespace core {

// The one place where run-time errors become words: what failed, and what to do about it.
// Names the field (by its display name) and the whole numbers it accepts where there is one.
std::wstring describe(const RuntimeError& error);

}  // namespace core
