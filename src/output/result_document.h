// The result document: the one text the sensor prints for its host. It holds
// at most kDocumentCapacity characters; text that would go beyond is cut.
//
// Every text that lands inside an XML form (the XML host kinds' documents and
// the error document of every host kind) is escaped: "&", "<" and ">" become
// entities, so that no name, value or message can break the document or
// smuggle elements into what the host reads; control characters become "?".
// A text that is not valid UTF-8 is taken as ISO 8859-1, the code page of
// non-Unicode SAP systems, and converted to UTF-8, the encoding of an XML
// document that declares none. A cut never splits an entity or a UTF-8
// sequence, and an XML form keeps room for its closing tags, so that it
// stays well-formed whatever its texts. Plain-text forms stay byte for byte.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "common/host_kind.h"
#include "common/run_options.h"

namespace kestrovan {

inline constexpr std::size_t kDocumentCapacity = 4095;
// Room an XML form keeps free of outside text for the markup that may still
// follow it: closing tags and the fixed parts of the channels.
inline constexpr std::size_t kMarkupReserve = 512;
// Room every part of an XML form leaves for the document's closing tag.
inline constexpr std::size_t kClosingReserve = 16;

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
// hold) as "?"; bytes from 0x80 up as UTF-8: kept when the whole text is
// valid UTF-8, otherwise converted from ISO 8859-1.
std::string xml_escape(std::string_view text);

// Whether `text` is valid UTF-8 (no overlong forms, no surrogates).
bool is_valid_utf8(std::string_view text);

// Cuts escaped XML text to at most `limit` bytes without splitting an entity
// or a UTF-8 sequence.
void cut_xml_text(std::string& text, std::size_t limit);

// How much of `prefix`, the first bytes of a longer escaped XML text, a cut
// keeps: all but an entity or a UTF-8 sequence split at its end.
std::size_t whole_xml_prefix(std::string_view prefix);

void begin_document(ResultDocument& document);
void begin_text(ResultDocument& document);
void end_text(ResultDocument& document, const RunOptions& options);
void end_document(ResultDocument& document);

// Replaces the whole document with the XML error document, whatever the host
// kind. `message` may be a copy of the document's own text. The message is
// cut so that the closing lines always fit.
void error_document(ResultDocument& document, std::string_view message);

// Closes a document whose opening was already printed with the error lines,
// so that standard output holds one well-formed document:
// "<Error>1</Error>\n<Text>" message "</Text>\n</Prtg>\n".
void error_closing(ResultDocument& document, std::string_view message);

// The text of error_document (or, with `closing`, of error_closing) for a
// message that is the concatenation of `escaped_parts`, each already
// escaped, written into `out`; returns its size. It neither allocates nor
// locks, so that the time limit's ending may call it in a signal handler.
using DocumentBuffer = std::span<char, kDocumentCapacity>;
std::size_t write_error_document(DocumentBuffer out, bool closing,
                                 std::span<const std::string_view> escaped_parts);

}  // namespace kestrovan
