// The text that follows the first top-level element. TinyXML's stream reader stops at the end of
// that element, so the launcher never sees what comes after it: a second TermToInput, or Terms
// written after the closing tag, are silently lost.
#pragma once

#include <cstddef>
#include <string>

#include "checker/mapping_report.h"

namespace pos_video {

// Adds a finding when anything but white space and comments follows the first top-level element.
// Only for a text that the launcher parses without error; `readLength` is how much of it the
// launcher's reader took.
void InspectUnreadText(const std::string& text, std::size_t readLength, MappingReport* report);

// The start of `text` for quoting in a finding: its first line, cut short when long.
std::string Excerpt(const std::string& text);

}  // namespace pos_video
