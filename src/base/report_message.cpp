#include "base/report_message.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace pos_video {

void ReportMessage(MessageSink& sink, MessageKind kind, const char* format, ...) {
  char buffer[kMessageBufferSize];
  va_list arguments;
  va_start(arguments, format);
  const int formatted = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (formatted < 0) buffer[0] = '\0';

  std::size_t length = std::strlen(buffer);
  if (length == 0 || buffer[length - 1] != '\n') {
    // Room for the line feed and the NUL: a text cut short loses its last character to it.
    if (length > sizeof buffer - 2) length = sizeof buffer - 2;
    buffer[length++] = '\n';
    buffer[length] = '\0';
  }
  sink.ShowMessage(kind, std::string(buffer, length));
}

}  // namespace pos_video
