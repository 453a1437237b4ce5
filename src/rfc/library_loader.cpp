#include <cstdio>

#include "platform/shared_library.h"
#include "rfc/rfc_functions.h"

namespace kestrovan {

namespace {

// Longer than the longest decorated name, "_RfcInstallStructure@16".
constexpr std::size_t kDecoratedNameLimit = 48;

// Resolves one function into `slot`. `argument_bytes` is what its arguments
// take on a 32-bit stack, the number in its decorated _stdcall name.
template <typename Function>
bool resolve(void* library, const char* name, unsigned argument_bytes, Function& slot) {
  void* address = platform::shared_library_function(library, name);
  if (!address && platform::kDecoratedStdcallNames) {
    // "_RfcOpen@4" as Microsoft's compilers export it, "RfcOpen@4" as GNU's.
    char decorated[kDecoratedNameLimit];
    std::snprintf(decorated, sizeof decorated, "_%s@%u", name, argument_bytes);
    address = platform::shared_library_function(library, decorated);
    if (!address) address = platform::shared_library_function(library, decorated + 1);
  }
  slot = reinterpret_cast<Function>(address);
  return address != nullptr;
}

}  // namespace

Failure load_rfc_functions(const std::string& name, RfcFunctions& functions) {
  std::string reason;
  void* library = platform::load_shared_library(name, reason);
  if (!library) return "Error 1041: RFC-Library " + name + " cannot be loaded (" + reason + ")...";
  RfcFunctions loaded;
  const char* missing = nullptr;
  auto need = [&](const char* function, unsigned argument_bytes, auto& slot) {
    if (!missing && !resolve(library, function, argument_bytes, slot)) missing = function;
  };
  need("RfcOpen", 4, loaded.open);
  need("RfcOpenEx", 8, loaded.open_ex);
  need("RfcCall", 16, loaded.call);
  need("RfcReceive", 16, loaded.receive);
  need("RfcClose", 4, loaded.close);
  need("RfcLastError", 4, loaded.last_error);
  need("RfcEnvironment", 4, loaded.environment);
  need("RfcInstallStructure", 16, loaded.install_structure);
  need("ItCreate", 16, loaded.it_create);
  need("ItDelete", 4, loaded.it_delete);
  need("ItFill", 4, loaded.it_fill);
  need("ItAppLine", 4, loaded.it_app_line);
  need("ItGetLine", 8, loaded.it_get_line);
  if (missing) return "Error 1042: RFC-Library " + name + " lacks " + missing + "...";
  loaded.file = platform::shared_library_file(library);
  functions = loaded;
  return std::nullopt;
}

}  // namespace kestrovan
