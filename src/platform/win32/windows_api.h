#pragma once
// <windows.h> without the macros that would rename the program's own functions
// (ReplaceFile, DeleteFile, ... become their ...A forms otherwise). Include this instead.

#include <windows.h>

#undef DeleteFile
#undef ReplaceFile
#undef GetObject
#undef CreateDirectory
