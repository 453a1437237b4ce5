// The result document: the one text the sensor prints for its host. It holds
// at most kDocumentCapacity characters; text that would go beyond is cut.
//
// Every text that lands inside an XML form (the XML host kinds' documents and
// the error document of every host kind) is escaped: "&", "<" and ">" become
// entities, so that no name, value or message can break the document or
// smuggle elements into what the host reads; control characters become "?".
// Plain-text forms stay unescaped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "output/host_kind.h"
#include "run/options.h"

namespace kestrovan {

inline constexpr std::size_t kDocumentCapacity = 4095;

struct ResultDocument {
  HostKind host = HostKind::kExexml;
  std::string text;
  unsigned channel_counter = 0;  // write_channel calls since process start
};

// Appends markup or plain text as it stands, cut at the capacity.
void append_raw(ResultDocument& document, std::string_view text);

// Appends a value: escaped for the XML host kinds, unchanged for the others.
void append_text(ResultDocument& document, std::string_view text);

// "&", "<", ">" as entities; a control character (which no XML document may
// hold) as "?".
std::string xml_escape(std::string_view text);

void begin_document(ResultDocument& document);
void begin_text(ResultDocument& document);
void end_text(ResultDocument& document, const Options& options);
void end_document(ResultDocument& document);

// Replaces the whole document with the XML error document, whatever the host
// kind. `message` may be a copy of the document's own text. The message is
// cut so that the closing lines always fit.
void error_document(ResultDocument& document, std::string_view message);

// Closes a document whose opening was already printed with the error lines,
// so that standard output holds one well-formed document:
// "<Error>1</Error>\n<Text>" message "</Text>\n</Prtg>\n".
void error_closing(ResultDocument& document, std::string_view message);

}  // namespace kestrovan
