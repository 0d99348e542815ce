// Telling the user about a problem.
#pragma once

#include "base/platform.h"

#if defined(__GNUC__)
#define POS_VIDEO_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
#else
#define POS_VIDEO_PRINTF_FORMAT(format_index, first_argument)
#endif

namespace pos_video {

// Size of the text buffer a message is formatted into, terminating NUL included.
constexpr int kMessageBufferSize = 256;

// Formats the message printf-style and shows it through `sink` as a message of `kind`. The text
// always ends with a line feed. Where it would not fit in the buffer with it, the texts put in by
// %s (values from the mapping file or the command line) are shortened to their beginning and
// "...", cut at a character boundary, just enough that it does: the sentence around them stays
// whole. A message that fits is shown exactly as formatted.
void ReportMessage(MessageSink& sink, MessageKind kind, const char* format, ...)
    POS_VIDEO_PRINTF_FORMAT(3, 4);

}  // namespace pos_video
