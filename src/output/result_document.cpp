#include "output/result_document.h"

namespace kestrovan {

void append_raw(ResultDocument& document, std::string_view text) {
  std::size_t room = kDocumentCapacity - document.text.size();
  document.text.append(text.substr(0, room));
}

std::string xml_escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
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
  if (is_xml_host(document.host)) {
    append_raw(document, xml_escape(text));
  } else {
    append_raw(document, text);
  }
}

void begin_document(ResultDocument& document) {
  document.text.clear();
  if (is_xml_host(document.host)) append_raw(document, "\n<Prtg>\n");
}

void begin_text(ResultDocument& document) {
  append_raw(document, is_xml_host(document.host) ? "\n<Text>" : "\n# ");
}

void end_text(ResultDocument& document, const Options& options) {
  if (is_xml_host(document.host)) {
    append_raw(document, "</Text>\n");
  } else if (document.host == HostKind::kQuendar && has_keyword(options, "CH=")) {
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
  std::size_t room = kDocumentCapacity - head.size() - kErrorLines.size() - kTail.size();
  if (text.size() > room) {
    text.resize(room);
    // Never leave half an entity behind.
    std::size_t amp = text.rfind('&');
    if (amp != std::string::npos && text.find(';', amp) == std::string::npos) text.resize(amp);
  }
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
