// The platform's own headers for the backend. The seam re-declares some of
// the names that these headers define as macros (MB_OK, RGB, the error
// codes), so the seam comes first and the platform's headers after it; the
// backend therefore uses only the platform's spelling of those names.
#pragma once

#include "platform/api/platform.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on
