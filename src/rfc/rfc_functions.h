// The functions of a classic RFC library that the sensor uses, as one table
// of pointers: filled with the built-in library's functions, or from the
// vendor's library loaded at run time.
#pragma once

#include <optional>
#include <string>

#include "common/failure.h"
#include "rfc_api.h"

namespace kestrovan {

struct RfcFunctions {
  decltype(&::RfcOpen) open = nullptr;
  decltype(&::RfcOpenEx) open_ex = nullptr;
  decltype(&::RfcCall) call = nullptr;
  decltype(&::RfcReceive) receive = nullptr;
  decltype(&::RfcClose) close = nullptr;
  decltype(&::RfcLastError) last_error = nullptr;
  decltype(&::RfcEnvironment) environment = nullptr;
  decltype(&::RfcInstallStructure) install_structure = nullptr;
  decltype(&::ItCreate) it_create = nullptr;
  decltype(&::ItDelete) it_delete = nullptr;
  decltype(&::ItFill) it_fill = nullptr;
  decltype(&::ItAppLine) it_app_line = nullptr;
  decltype(&::ItGetLine) it_get_line = nullptr;
  // The file of the loaded library; empty for the built-in one.
  std::string file;
};

// The library linked into the sensor (simulated systems from SapSim.ini).
RfcFunctions builtin_rfc_functions();

// Loads the library `name` (a bare file name or a path) and resolves every
// function, each by its plain name and, on 32-bit Windows, by its decorated
// _stdcall name when the plain one is missing. Returns the error message
// (Error 1041 or 1042) when the library cannot be used.
Failure load_rfc_functions(const std::string& name, RfcFunctions& functions);

}  // namespace kestrovan
