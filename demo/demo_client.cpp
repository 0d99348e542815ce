// Stands in for the video client, in the demo and in the end-to-end tests: records how it was
// started and tells what it was asked to show, then ends.
//
// It reads the command document named by its -F option, relative to its current directory, as
// the client does. A program started by the windowless launcher has no console to print to, so
// it writes to the folder %DEMO_CLIENT_RECORD_DIR% (its own folder when unset):
//   client-<process id>.xml  the document's bytes, when it was found;
//   client-<process id>.txt  written last, so its presence means the record is complete:
//     module=, command_line=, current_directory= and document= (found or missing) lines, then
//     what the document asks to show (camera, time window, window position and size).
#include <tinyxml.h>
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "helper_support.h"

namespace {

std::string Attribute(const TiXmlElement* element, const char* name) {
  const char* value = element != nullptr ? element->Attribute(name) : nullptr;
  return value != nullptr ? value : "?";
}

std::string LocalTime(const std::string& secondsText) {
  char* end = nullptr;
  const std::time_t seconds = std::strtoll(secondsText.c_str(), &end, 10);
  const std::tm* local = end != secondsText.c_str() ? std::localtime(&seconds) : nullptr;
  char text[32];
  if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0) {
    return "(no valid time)";
  }
  return text;
}

std::string Account(const std::string& documentText) {
  TiXmlDocument document;
  document.Parse(documentText.c_str());
  if (document.Error()) {
    return "  (not a readable command document: " + std::string(document.ErrorDesc()) + ")\n";
  }
  const TiXmlElement* root = document.FirstChildElement("KorvaneInit");
  const TiXmlElement* search = root != nullptr ? root->FirstChildElement("Search") : nullptr;
  const TiXmlElement* system = search != nullptr ? search->FirstChildElement("System") : nullptr;
  const TiXmlElement* video = system != nullptr ? system->FirstChildElement("Video") : nullptr;
  const TiXmlElement* input = video != nullptr ? video->FirstChildElement("Input") : nullptr;

  std::string camera = input != nullptr && input->Attribute("Name") != nullptr
                           ? "input \"" + Attribute(input, "Name") + "\""
                           : "input number " + Attribute(input, "Number");
  if (input != nullptr && input->Attribute("Device") != nullptr) {
    camera += ", device " + Attribute(input, "Device");
  }
  const std::string start = Attribute(search, "Start");
  const std::string end = Attribute(search, "End");
  return "  camera:      " + camera + " of system \"" + Attribute(system, "Name") + "\"\n" +
         "  time window: " + LocalTime(start) + " to " + LocalTime(end) + " local time (Start " +
         start + ", End " + end + ")\n" + "  window:      " + Attribute(root, "Width") + " x " +
         Attribute(root, "Height") + " at left " + Attribute(root, "Left") + ", top " +
         Attribute(root, "Top") + "\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previousInstance*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
  const std::string module = pos_video_demo::ModulePath();
  const std::string commandLine = GetCommandLineA();
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);

  std::string document;
  bool found = false;
  const std::size_t option = commandLine.find(" -F");
  if (option != std::string::npos) {
    found = pos_video_demo::ReadWholeFile(commandLine.substr(option + 3), &document);
  }

  const std::string record = pos_video_demo::EnvironmentVariable("DEMO_CLIENT_RECORD_DIR",
                                                                 pos_video_demo::FolderOf(module)) +
                             "\\client-" + std::to_string(GetCurrentProcessId());
  if (found && !pos_video_demo::WriteWholeFile(record + ".xml", document)) return 1;
  std::string summary = "module=" + module + "\ncommand_line=" + commandLine +
                        "\ncurrent_directory=" + directory +
                        "\ndocument=" + (found ? "found" : "missing") + "\n";
  if (found) summary += "asked to show:\n" + Account(document);
  return pos_video_demo::WriteWholeFile(record + ".txt", summary) ? 0 : 1;
}
