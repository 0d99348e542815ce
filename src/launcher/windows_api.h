// The Windows API as the launcher's Windows files include it.
//
// <windows.h> defines ReplaceFile as a macro for ReplaceFileA, which would rename the Platform
// interface's own ReplaceFile in every file that sees both; the macro goes, the API stays
// reachable as ReplaceFileA.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef ReplaceFile
