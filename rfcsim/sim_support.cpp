#include "sim_support.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <thread>

namespace rfcsim {

std::string to_upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string_view trim_blanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view without_bom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}

bool read_whole_file(const char* path, std::string& content) {
  std::error_code error;
  // Only a regular file counts: a named pipe would block the logon forever.
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  content.clear();
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  std::fclose(file);
  return true;
}

SimTime local_time() {
  static std::mutex guard;  // std::localtime shares one result
  std::time_t now = std::time(nullptr);
  std::lock_guard<std::mutex> lock(guard);
  const std::tm* parts = std::localtime(&now);
  if (!parts) return {1970, 1, 1, 0, 0, 0};
  return {parts->tm_year + 1900, parts->tm_mon + 1, parts->tm_mday,
          parts->tm_hour,        parts->tm_min,     parts->tm_sec};
}

void sleep_milliseconds(unsigned milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace rfcsim
