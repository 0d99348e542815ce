#include "checker/check_options.h"

#include <algorithm>

#include "base/ascii_classes.h"
#include "base/launch_constants.h"
#include "base/launch_request.h"
#include "base/saturated_integer.h"

namespace pos_video {

const char kCheckUsage[] =
    "Usage: pos-video-check [--brief] [FILE...] [-n TERMINAL] [-t \"YYYY-MM-DD HH:MM:SS\"]\n"
    "       pos-video-check [--brief] [FILE...] -- LAUNCHER ARGUMENTS\n"
    "       pos-video-check --format sarif [FILE...]\n"
    "\n"
    "Shows what the POS audit to video launcher does with each mapping file (FILE, by default\n"
    "termToInput.xml in the current folder): the launch settings, the terminals it maps to\n"
    "cameras, and every part of the file that it skips, ignores, replaces, never reads or reads\n"
    "otherwise than meant, with its line and column. Writes no file and starts nothing. A FILE\n"
    "that is a folder is searched, with its subfolders, for files named termToInput.xml.\n"
    "\n"
    "  -n TERMINAL  also show the launch for this terminal: the messages the launcher shows and\n"
    "               the exact command document it writes (mouse pointer at 0, 0)\n"
    "  -t TIME      place that launch's search around TIME, read as the launcher reads its\n"
    "               own time option (local time, or the terminal's TimeZone); without it,\n"
    "               around now. Without -n the launcher's default terminal, 101, is shown\n"
    "  -- ARGS      show the launch for the launcher's own command line ARGS (joined by\n"
    "               blanks), its terminal and time found exactly as the launcher finds them\n"
    "  --brief      print only the findings, one line each, and a count\n"
    "  --format F   text (the default) or sarif: one SARIF 2.1.0 log of all files' findings\n"
    "  --version    show the program's version and the tzdata release\n"
    "  -h, --help   show this help (/? too)\n"
    "\n"
    "Exit status, the worst over all files:\n"
    "  0   no finding: the launcher loads the file with nothing skipped\n"
    "  1   warnings only: the launcher loads the file but skips, ignores or replaces something,\n"
    "      or reads something otherwise than meant\n"
    "  2   at least one error: a message box the launcher would show, or nothing loaded\n"
    "  64  the command line of pos-video-check is wrong\n"
    "  74  the output could not be written (a full disk, say); this outranks the others\n";

namespace {

// "14:50:25" left over when the time was not quoted: -t2007-06-06 14:50:25, as the launcher
// takes it, splits into two arguments in a shell.
bool LooksLikeClockTime(const std::string& text) {
  return text.find(':') != std::string::npos &&
         std::all_of(text.begin(), text.end(), [](char c) { return c == ':' || IsAsciiDigit(c); });
}

// The value of "-n 12" or "-n12"; advances `index` past a separate value.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t* index, std::string* value,
               std::string* error) {
  const std::string& argument = arguments[*index];
  if (argument.size() > 2) {
    *value = argument.substr(2);
    return true;
  }
  if (*index + 1 == arguments.size()) {
    *error = argument + " needs a value";
    return false;
  }
  *value = arguments[++*index];
  return true;
}

}  // namespace

bool ParseCheckOptions(const std::vector<std::string>& arguments, CheckOptions* options,
                       std::string* error) {
  *options = CheckOptions{};
  std::optional<std::int32_t> terminal;
  std::optional<std::string> timeText;
  std::optional<std::string> commandLine;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool isOption = argument.size() > 1 && argument[0] == '-';
    if (argument == "--help" || argument == "-h" || argument == "/?") {
      options->help = true;
      return true;
    }
    if (argument == "--version") {
      options->version = true;
      return true;
    }
    if (argument == "--format" || argument.rfind("--format=", 0) == 0) {
      std::string format = argument.size() > 8 ? argument.substr(9) : "";
      if (argument.size() == 8) {
        if (i + 1 == arguments.size()) {
          *error = "--format needs a value";
          return false;
        }
        format = arguments[++i];
      }
      if (format != "text" && format != "sarif") {
        *error = "--format needs text or sarif, not \"" + format + "\"";
        return false;
      }
      options->sarif = format == "sarif";
    } else if (argument == "--") {
      commandLine.emplace();
      for (++i; i < arguments.size(); ++i) {
        *commandLine += (commandLine->empty() ? "" : " ") + arguments[i];
      }
    } else if (argument == "--brief") {
      options->brief = true;
    } else if (isOption && (argument[1] == 'n' || argument[1] == 't')) {
      // As the launcher reads them: the first one counts, and a number beyond 32 bits saturates
      // rather than wrapping. Only, here, nothing may come before or after the number.
      std::string value;
      if (!TakeValue(arguments, &i, &value, error)) return false;
      std::int32_t number = 0;
      const char* end = nullptr;
      if (argument[1] == 't') {
        if (!timeText) timeText = value;
      } else if (IsAsciiWhitespace(value[0]) ||
                 !ReadSaturatedInteger(value.c_str(), &number, &end) || *end != '\0') {
        *error = "-n needs a terminal number, not \"" + value + "\"";
        return false;
      } else if (!terminal) {
        terminal = number;
      }
    } else if (isOption) {
      *error = "unknown option " + argument;
      return false;
    } else if (argument.empty()) {
      *error = "a file name cannot be empty";
      return false;
    } else if (timeText && LooksLikeClockTime(argument)) {
      *error = "\"" + argument + "\" looks like the time of -t: quote the date and time together";
      return false;
    } else {
      options->paths.push_back(argument);
    }
  }
  if (options->sarif && options->brief) {
    *error = "give --brief or --format sarif, not both";
    return false;
  }
  if (options->sarif && (commandLine || terminal || timeText)) {
    *error = "a SARIF log holds findings only: give no -n, -t or -- with --format sarif";
    return false;
  }
  if (commandLine && (terminal || timeText)) {
    *error = "give -n and -t, or the launcher's command line after --, not both";
    return false;
  }
  if (commandLine) {
    options->launch = ReadLaunchRequest(*commandLine);
  } else if (terminal || timeText) {
    // -t's time is read as the launcher reads the text behind its own time option.
    options->launch = ReadLaunchRequest(timeText ? "-t" + *timeText : "");
    options->launch->terminal = terminal.value_or(kDefaultTerminal);
  }
  if (options->paths.empty()) options->paths.push_back(kMappingFilePath);
  return true;
}

}  // namespace pos_video
