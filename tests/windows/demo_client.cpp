// Stands in for the video client in the demo: tells what it was asked to show.
//
// Reads the command document named by its -F option from its current directory, as the client
// does, and writes a short account (camera, time window, window position and size) to
// %DEMO_CLIENT_REPORT%, or demo-client-report.txt beside itself: a program started by the
// windowless launcher has no console to print to.
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

std::string Account(const std::string& documentName) {
  TiXmlDocument document;
  if (!document.LoadFile(documentName.c_str())) {
    return "cannot read the command document " + documentName + ": " + document.ErrorDesc() + "\n";
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
  const std::string commandLine = GetCommandLineA();
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);
  const std::size_t option = commandLine.find(" -F");
  std::string report = "video client started: " + commandLine + "\n  in " + directory + "\n";
  report += option != std::string::npos
                ? "asked to show:\n" + Account(commandLine.substr(option + 3))
                : "no command document (-F) on the command line\n";
  const std::string path = pos_video_test::EnvironmentVariable(
      "DEMO_CLIENT_REPORT",
      pos_video_test::FolderOf(pos_video_test::ModulePath()) + "\\demo-client-report.txt");
  return pos_video_test::WriteWholeFile(path, report) ? 0 : 1;
}
