// How the built-in library's API functions are defined: exported under their
// plain names when the library is built as a shared library of the vendor's
// shape (RFCSIM_SHARED), ordinary functions when it is linked in.
#pragma once

#include "rfc_api.h"

#if defined(RFCSIM_SHARED) && defined(_WIN32)
#define RFCSIM_EXPORT __declspec(dllexport)
#elif defined(RFCSIM_SHARED)
#define RFCSIM_EXPORT __attribute__((visibility("default")))
#else
#define RFCSIM_EXPORT
#endif

// An API function's definition: exported, with the vendor's convention.
#define RFCSIM_API(result) RFCSIM_EXPORT result SAP_API
