// Line and column of a character in the mapping file, counted as TinyXML counts them for its
// elements, so that positions the checker finds by itself agree with the ones TinyXML reports.
#pragma once

#include <cstddef>
#include <string>

#include "checker/mapping_report.h"

namespace pos_video {

// Position of `text[offset]`. Line ends are LF, CR or CR LF; a tab advances to the next column
// after a multiple of four; every other byte is one column.
TextPosition PositionInText(const std::string& text, std::size_t offset);

}  // namespace pos_video
