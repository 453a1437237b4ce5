// Helpers of the fuzz targets: splitting the input, files in a scratch
// folder, and the property checks a finding is reported by.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Stops the run with a message: libFuzzer reports the input that did it.
[[noreturn]] inline void fail(const std::string& property) {
  std::fprintf(stderr, "property violated: %s\n", property.c_str());
  std::abort();
}

inline void check(bool holds, const std::string& property) {
  if (!holds) fail(property);
}

// The input cut into pieces at each `separator`.
inline std::vector<std::string> split(std::string_view input, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (true) {
    std::size_t end = input.find(separator, start);
    pieces.emplace_back(input.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return pieces;
}

// A scratch folder of this process, made once, as the working directory.
inline void enter_scratch_folder() {
  static bool entered = false;
  if (entered) return;
  auto folder = std::filesystem::temp_directory_path() /
                ("kestrovan-fuzz-" + std::to_string(static_cast<long>(::getpid())));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  entered = true;
}

inline void write_file(const std::string& name, std::string_view content) {
  std::ofstream(name, std::ios::binary).write(content.data(), content.size());
}

// Valid UTF-8 after the well-formed byte sequences of the Unicode standard
// (table 3-7), written apart from the sensor's own check.
inline bool valid_utf8(std::string_view text) {
  auto in = [](unsigned char c, unsigned low, unsigned high) { return c >= low && c <= high; };
  for (std::size_t i = 0; i < text.size();) {
    auto at = [&](std::size_t k) {
      return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
    };
    unsigned char a = at(0);
    std::size_t n = 0;
    if (a < 0x80)
      n = 1;
    else if (in(a, 0xC2, 0xDF) && in(at(1), 0x80, 0xBF))
      n = 2;
    else if (a == 0xE0 && in(at(1), 0xA0, 0xBF) && in(at(2), 0x80, 0xBF))
      n = 3;
    else if ((in(a, 0xE1, 0xEC) || in(a, 0xEE, 0xEF)) && in(at(1), 0x80, 0xBF) &&
             in(at(2), 0x80, 0xBF))
      n = 3;
    else if (a == 0xED && in(at(1), 0x80, 0x9F) && in(at(2), 0x80, 0xBF))
      n = 3;
    else if (a == 0xF0 && in(at(1), 0x90, 0xBF) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF))
      n = 4;
    else if (in(a, 0xF1, 0xF3) && in(at(1), 0x80, 0xBF) && in(at(2), 0x80, 0xBF) &&
             in(at(3), 0x80, 0xBF))
      n = 4;
    else if (a == 0xF4 && in(at(1), 0x80, 0x8F) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF))
      n = 4;
    if (n == 0) return false;
    i += n;
  }
  return true;
}

// Well-formed as far as the result documents go: one root element, tags that
// nest, text with every "&", "<" and ">" escaped and no control character.
inline bool well_formed_xml(std::string_view text) {
  std::vector<std::string> open;
  bool root_seen = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '<') {
      std::size_t end = text.find('>', i);
      if (end == std::string_view::npos) return false;
      std::string_view tag = text.substr(i + 1, end - i - 1);
      if (!tag.empty() && tag[0] == '/') {
        if (open.empty() || open.back() != tag.substr(1)) return false;
        open.pop_back();
      } else {
        if (tag.empty() || tag.find_first_of(" /&<") != std::string_view::npos) return false;
        if (open.empty()) {
          if (root_seen) return false;
          root_seen = true;
        }
        open.emplace_back(tag);
      }
      i = end;
    } else if (c == '>') {
      return false;
    } else if (c == '&') {
      std::string_view rest = text.substr(i);
      if (rest.rfind("&amp;", 0) != 0 && rest.rfind("&lt;", 0) != 0 && rest.rfind("&gt;", 0) != 0) {
        return false;
      }
    } else if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
      return false;
    } else if (open.empty() && c != '\n' && c != ' ' && c != '\t' && c != '\r') {
      return false;  // text outside the root element
    }
  }
  return root_seen && open.empty();
}

}  // namespace fuzz
