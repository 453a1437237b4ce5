// The calling convention of the classic RFC library's functions and of the
// error handler it calls: _stdcall on Windows, the default elsewhere.
#pragma once

#ifdef _WIN32
#define KESTROVAN_RFC_CALL __stdcall
#else
#define KESTROVAN_RFC_CALL
#endif
