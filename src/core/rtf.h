#pragma once
// Rich text documents (RTF) for the chat transcript: coloured, optionally bold
// text runs in Windows-1252. Pure: bytes in, bytes out.

#include "core/richtext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A document any word processor opens. Line breaks (CR LF, or a lone CR or
// LF) become paragraph ends.
std::string toRtf(const std::vector<TextRun>& runs);

// The text runs of a document: what toRtf writes, and the common subset that
// word processors save (groups, colour table, \b, \cf, \plain, \par, \line,
// \tab, \'hh, \u). Paragraph ends read back as CR LF; the paragraph end a
// word processor puts after the last line is dropped. Nothing when the text
// is not an RTF document.
std::optional<std::vector<TextRun>> fromRtf(std::string_view document);

} // namespace corvane
