#include "base/launch_request.h"

#include <cstddef>

#include "base/ascii_classes.h"
#include "base/command_line_option.h"
#include "base/saturated_integer.h"

namespace pos_video {
namespace {

bool IsBlankOrQuote(char c) { return IsAsciiWhitespace(c) || c == '"'; }

std::int32_t TerminalAt(const std::string& text, std::size_t option) {
  std::size_t number = option + 2;
  while (number < text.size() && IsBlankOrQuote(text[number])) ++number;
  std::int32_t terminal = 0;
  ReadSaturatedInteger(text.c_str() + number, &terminal);
  return terminal;
}

std::string TimeTextAt(const std::string& text, std::size_t option) {
  std::size_t end = FindOption(text, 'n', option + 2);
  if (end == std::string::npos) end = text.size();
  std::string time;
  for (std::size_t i = option + 2; i < end; ++i) {
    if (text[i] != '"') time += text[i];
  }
  std::size_t first = 0;
  while (first < time.size() && IsAsciiWhitespace(time[first])) ++first;
  std::size_t last = time.size();
  while (last > first && IsAsciiWhitespace(time[last - 1])) --last;
  return time.substr(first, last - first);
}

}  // namespace

LaunchRequest ReadLaunchRequest(const std::string& commandLineText) {
  LaunchRequest request;
  const std::size_t terminal = FindOption(commandLineText, 'n');
  if (terminal != std::string::npos) request.terminal = TerminalAt(commandLineText, terminal);
  const std::size_t time = FindOption(commandLineText, 't');
  if (time != std::string::npos) request.timeText = TimeTextAt(commandLineText, time);
  return request;
}

}  // namespace pos_video
