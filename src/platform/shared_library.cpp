#include "platform/shared_library.h"

#include <cstdlib>
#include <vector>

#include "platform/library_header.h"
#include "platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace kestrovan::platform {

namespace {

bool has_folder(const std::string& name) {
#ifdef _WIN32
  return name.find_first_of("\\/:") != std::string::npos;
#else
  return name.find('/') != std::string::npos;
#endif
}

std::string executable_folder() {
  std::string executable = executable_path();
  std::size_t last = executable.find_last_of(std::string("/") + kDirSeparator);
  return last == std::string::npos ? std::string() : executable.substr(0, last + 1);
}

// The places where a bare name is looked for as a file, in order; the
// system's own search comes after the first of them.
std::vector<std::string> bare_name_places(const std::string& name, bool after_system_search) {
  std::vector<std::string> places;
  if (!after_system_search) {
    std::string folder = executable_folder();
    if (!folder.empty()) places.push_back(folder + name);
    return places;
  }
#if defined(_WIN32) && !defined(_WIN64)
  // SAP GUI up to release 7.50 installs a 32-bit librfc32.dll here.
  for (const char* variable : {"ProgramFiles(x86)", "ProgramFiles"}) {
    if (const char* root = std::getenv(variable)) {
      places.push_back(std::string(root) + "\\SAP\\FrontEnd\\SAPgui\\" + name);
    }
  }
#endif
  return places;
}

#ifdef _WIN32

// Windows refuses a file that is no library and a library of the other
// bitness with the same error 193; the file's header tells which it is. A
// file the system's search found but did not name is taken to be a library
// of the other bitness, by far the most common case (SAP GUI's 32-bit copy).
std::string bad_format_reason(const std::string& path) {
  if (!path.empty()) {
    switch (library_header_of_file(path)) {
      case LibraryHeader::kNoWindowsLibrary:
        return "error 193: the file is no Windows library";
      case LibraryHeader::kOtherMachine:
        return "error 193: a library for another processor";
      case LibraryHeader::k32Bit:
      case LibraryHeader::k64Bit:
        break;
    }
  }
  return "error 193: not a " + std::string(sizeof(void*) == 8 ? "64" : "32") +
         "-bit library; the library and Kestrovan differ in bitness: use the other archive";
}

// The reason for the error `code` of loading the file `path` (empty when
// the system's search did not say which file it found).
std::string reason_for(DWORD code, const std::string& path) {
  if (code == ERROR_BAD_EXE_FORMAT) return bad_format_reason(path);
  if (code == ERROR_MOD_NOT_FOUND) return "error 126: the library or one it needs is missing";
  char text[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

void* load_file(const std::string& path, std::string& reason) {
  // The library's own dependencies resolve from its folder first.
  HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library) reason = reason_for(GetLastError(), path);
  return reinterpret_cast<void*>(library);
}

// The file the system's search finds for `name`, empty when none.
std::string searched_file(const std::string& name) {
  char found[MAX_PATH] = "";
  DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(found, length) : std::string();
}

void* load_by_system_search(const std::string& name, std::string& reason) {
  HMODULE library = LoadLibraryA(name.c_str());
  if (!library) {
    DWORD code = GetLastError();
    reason = reason_for(code, code == ERROR_BAD_EXE_FORMAT ? searched_file(name) : "");
  }
  return reinterpret_cast<void*>(library);
}

#else

void* load_file(const std::string& path, std::string& reason) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    // dlerror() starts with the path; the reason alone is what helps.
    std::string error = dlerror();
    std::size_t colon = error.find(": ");
    reason = colon == std::string::npos ? error : error.substr(colon + 2);
  }
  return library;
}

void* load_by_system_search(const std::string& name, std::string& reason) {
  return load_file(name, reason);
}

#endif

}  // namespace

void* load_shared_library(const std::string& name, std::string& reason) {
  reason = "file not found";
  if (name.empty()) return nullptr;
  if (has_folder(name)) return can_open(name) ? load_file(name, reason) : nullptr;
  for (const std::string& path : bare_name_places(name, false)) {
    if (can_open(path)) return load_file(path, reason);
  }
  std::string system_reason;
  if (void* library = load_by_system_search(name, system_reason)) return library;
  for (const std::string& path : bare_name_places(name, true)) {
    if (can_open(path)) return load_file(path, reason);
  }
  // Not found by the search: say so plainly, unless the system found a file
  // and could not load it.
  if (system_reason.find("cannot open shared object file") == std::string::npos &&
      system_reason.rfind("error 126", 0) != 0) {
    reason = system_reason;
  }
  return nullptr;
}

std::string shared_library_file(void* library) {
#ifdef _WIN32
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(static_cast<HMODULE>(library), path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
#else
  link_map* map = nullptr;
  if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return {};
  char* full = realpath(map->l_name, nullptr);
  std::string file = full ? full : map->l_name;
  std::free(full);
  return file;
#endif
}

void* shared_library_function(void* library, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
  return dlsym(library, name);
#endif
}

}  // namespace kestrovan::platform
