#include "output/channels.h"

#include "common/text.h"

namespace kestrovan {

std::string maltheon_channel_key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    switch (c) {
      case ' ':
      case '/':
      case '\\':
      case '[':
      case ']':
      case '*':
      case '(':
      case ')':
      case ':':
      case '-':
        c = '_';
        break;
      default:
        break;
    }
  }
  std::size_t dot = key.find('.');
  if (dot != std::string::npos) key[dot] = '_';
  return key;
}

std::string unit_label(std::string_view unit) {
  if (unit.empty()) return "#";
  if (unit == "PerCent") return "%";
  if (unit == "TimeResponse") return "mSec";
  return std::string(unit);
}

void group_digits(std::string& number) {
  std::size_t n = number.size();
  if (n <= 3) return;
  std::string grouped;
  if (n <= 6) {
    grouped = number.substr(0, n - 3) + "." + number.substr(n - 3);
  } else {
    grouped = number.substr(0, n - 6) + "." + number.substr(n - 6, 3) + "." + number.substr(n - 3);
  }
  number = grouped;
}

std::string count_value(HostKind host, unsigned long count) {
  std::string value = std::to_string(count);
  if (host != HostKind::kExexml) group_digits(value);
  return value;
}

namespace {

void write_maltheon(ResultDocument& document, std::string_view name, std::string_view value,
                    std::string_view unit) {
  std::string key = maltheon_channel_key(name);
  std::string line = "\n\nMessage." + key + ": " + std::string(name) + " (" + unit_label(unit) +
                     ")" + "\nStatistic." + key + ": " + std::string(value);
  append_raw(document, line);
}

void write_quendar(ResultDocument& document, const RunOptions& options, std::string_view name,
                   std::string_view value, std::string_view unit) {
  if (options.channel_selected) {
    int selected = options.channel;
    if (selected >= 0 && static_cast<unsigned>(selected) == document.channel_counter) {
      append_raw(document, value);
    }
    return;
  }
  append_raw(document,
             "\n> " + std::string(name) + ": " + std::string(value) + " " + unit_label(unit));
}

// A channel goes in whole or not at all, and leaves room for the document's
// closing tag, so that the document stays well-formed at its bound.
void write_xml(ResultDocument& document, std::string_view name, std::string_view value,
               std::string_view unit) {
  std::string element = "\n<Result><Channel>" + xml_escape(name) + "</Channel>";
  if (!unit.empty()) {
    element += "\n<Unit>Custom</Unit>\n<CustomUnit>" + xml_escape(unit) + "</CustomUnit>";
  }
  element += "\n<Value>" + xml_escape(value) + "</Value></Result>\n";
  if (document.text.size() + element.size() + kClosingReserve <= kDocumentCapacity) {
    append_raw(document, element);
  }
}

}  // namespace

void write_channel(ResultDocument& document, const RunOptions& options, std::string_view name,
                   std::string_view value, std::string_view unit) {
  ++document.channel_counter;
  switch (document.host) {
    case HostKind::kMaltheon:
      if (document.channel_counter <= kMaltheonChannelLimit) {
        write_maltheon(document, name, value, unit);
      }
      break;
    case HostKind::kQuendar:
      write_quendar(document, options, name, value, unit);
      break;
    default:
      write_xml(document, name, value, unit);
      break;
  }
}

}  // namespace kestrovan
