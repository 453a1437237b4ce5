#include "output/result_document.h"

namespace kestrovan {

void append_raw(ResultDocument& document, std::string_view text) {
  std::size_t room = kDocumentCapacity - document.text.size();
  document.text.append(text.substr(0, room));
}

bool is_valid_utf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > text.size()) return false;
    unsigned code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

void cut_xml_text(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  text.resize(limit);
  // Never leave half an entity behind.
  std::size_t amp = text.rfind('&');
  if (amp != std::string::npos && text.find(';', amp) == std::string::npos) text.resize(amp);
  // Nor half a UTF-8 sequence: drop a lead byte whose continuation is cut.
  std::size_t lead = text.size();
  while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0 && static_cast<unsigned char>(text[lead - 1]) >= 0xC0) {
    unsigned char byte = static_cast<unsigned char>(text[lead - 1]);
    std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    if (text.size() - (lead - 1) < length) text.resize(lead - 1);
  }
}

std::string xml_escape(std::string_view text) {
  const bool utf8 = is_valid_utf8(text);
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      if (utf8) {
        escaped.push_back(c);
      } else {
        escaped.push_back(static_cast<char>(0xC0 | byte >> 6));
        escaped.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
      }
      continue;
    }
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '\t':
      case '\n':
      case '\r':
        escaped.push_back(c);
        break;
      default:
        // No XML 1.0 document may hold a control character, escaped or not.
        bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        escaped.push_back(control ? '?' : c);
    }
  }
  return escaped;
}

void append_text(ResultDocument& document, std::string_view text) {
  if (!is_xml_host(document.host)) {
    append_raw(document, text);
    return;
  }
  std::string escaped = xml_escape(text);
  std::size_t used = document.text.size() + kMarkupReserve;
  cut_xml_text(escaped, used < kDocumentCapacity ? kDocumentCapacity - used : 0);
  document.text.append(escaped);
}

void begin_document(ResultDocument& document) {
  document.text.clear();
  if (is_xml_host(document.host)) append_raw(document, "\n<Prtg>\n");
}

void begin_text(ResultDocument& document) {
  append_raw(document, is_xml_host(document.host) ? "\n<Text>" : "\n# ");
}

void end_text(ResultDocument& document, const RunOptions& options) {
  if (is_xml_host(document.host)) {
    append_raw(document, "</Text>\n");
  } else if (document.host == HostKind::kQuendar && options.channel_selected) {
    document.text.clear();
  }
}

void end_document(ResultDocument& document) {
  append_raw(document, is_xml_host(document.host) ? "\n</Prtg>\n" : "\n");
}

namespace {

constexpr std::string_view kErrorLines = "<Error>1</Error>\n<Text>";
constexpr std::string_view kTail = "</Text>\n</Prtg>\n";

void replace_with_error(ResultDocument& document, std::string_view head, std::string_view message) {
  std::string text = xml_escape(message);
  cut_xml_text(text, kDocumentCapacity - head.size() - kErrorLines.size() - kTail.size());
  document.text.clear();
  document.text.append(head).append(kErrorLines).append(text).append(kTail);
}

}  // namespace

void error_document(ResultDocument& document, std::string_view message) {
  replace_with_error(document, "<Prtg>\n", message);
}

void error_closing(ResultDocument& document, std::string_view message) {
  replace_with_error(document, "", message);
}

}  // namespace kestrovan
