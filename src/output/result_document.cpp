#include "output/result_document.h"

#include <algorithm>

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

std::size_t whole_xml_prefix(std::string_view prefix) {
  // Never leave half an entity behind.
  std::size_t amp = prefix.rfind('&');
  if (amp != std::string_view::npos && prefix.find(';', amp) == std::string_view::npos) {
    prefix = prefix.substr(0, amp);
  }
  // Nor half a UTF-8 sequence: drop a lead byte whose continuation is cut.
  std::size_t lead = prefix.size();
  while (lead > 0 && (static_cast<unsigned char>(prefix[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0 && static_cast<unsigned char>(prefix[lead - 1]) >= 0xC0) {
    unsigned char byte = static_cast<unsigned char>(prefix[lead - 1]);
    std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    if (prefix.size() - (lead - 1) < length) return lead - 1;
  }
  return prefix.size();
}

void cut_xml_text(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  text.resize(whole_xml_prefix(std::string_view(text).substr(0, limit)));
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

constexpr std::string_view kErrorHead = "<Prtg>\n";
constexpr std::string_view kErrorLines = "<Error>1</Error>\n<Text>";
constexpr std::string_view kTail = "</Text>\n</Prtg>\n";

void replace_with_error(ResultDocument& document, bool closing, std::string_view message) {
  const std::string escaped = xml_escape(message);
  const std::string_view parts[] = {escaped};
  char text[kDocumentCapacity];
  document.text.assign(text, write_error_document(text, closing, parts));
}

}  // namespace

std::size_t write_error_document(DocumentBuffer out, bool closing,
                                 std::span<const std::string_view> escaped_parts) {
  std::size_t size = 0;
  auto put = [&](std::string_view text, std::size_t end) {
    std::size_t length = std::min(text.size(), end - size);
    std::copy_n(text.data(), length, out.data() + size);
    size += length;
    return length == text.size();
  };
  put(closing ? std::string_view() : kErrorHead, out.size());
  put(kErrorLines, out.size());
  // The message is cut so that the closing lines always fit.
  const std::size_t message_start = size;
  const std::size_t message_end = out.size() - kTail.size();
  bool whole = true;
  for (std::string_view part : escaped_parts) {
    if (!(whole = put(part, message_end))) break;
  }
  if (!whole) {
    size = message_start +
           whole_xml_prefix(std::string_view(out.data() + message_start, size - message_start));
  }
  put(kTail, out.size());
  return size;
}

void error_document(ResultDocument& document, std::string_view message) {
  replace_with_error(document, false, message);
}

void error_closing(ResultDocument& document, std::string_view message) {
  replace_with_error(document, true, message);
}

}  // namespace kestrovan
