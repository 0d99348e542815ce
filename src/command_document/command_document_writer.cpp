#include "command_document/command_document_writer.h"

#include <tinyxml.h>

#include "base/report_message.h"

namespace pos_video {
namespace {

// A new child of `parent`, which owns it from here on. The document is built afresh, so each
// element is added once and never looked up.
TiXmlElement* AddChild(TiXmlElement* parent, const char* name) {
  auto* child = new TiXmlElement(name);
  parent->LinkEndChild(child);
  return child;
}

void BuildCommandDocument(TiXmlDocument& document, const TerminalMapping& mapping,
                          const LaunchSettings& settings, std::int64_t searchTime,
                          CursorPosition cursor) {
  document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
  auto* root = new TiXmlElement("KorvaneInit");
  document.LinkEndChild(root);
  root->SetAttribute("Top", cursor.y);
  root->SetAttribute("Left", cursor.x);
  root->SetAttribute("Width", settings.Width);
  root->SetAttribute("Height", settings.Height);
  for (const char* flag :
       {"Maximize", "ShowNavPanel", "ShowToolbars", "FullScreen", "AllowAccelerators"}) {
    root->SetAttribute(flag, "0");
  }

  // 64-bit, so that neither a time after 2038 nor settings near the 32-bit limits can wrap.
  TiXmlElement* search = AddChild(root, "Search");
  search->SetAttribute("Start", std::to_string(searchTime - settings.Pre));
  search->SetAttribute("End", std::to_string(searchTime + settings.Post));

  TiXmlElement* system = AddChild(search, "System");
  system->SetAttribute("Name", mapping.systemName);
  TiXmlElement* input = AddChild(AddChild(system, "Video"), "Input");
  for (const auto& [name, value] : CameraAttributes(mapping)) input->SetAttribute(name, value);
}

std::string Print(const TiXmlDocument& document) {
  TiXmlPrinter printer;
  document.Accept(&printer);
  return printer.Str();
}

}  // namespace

bool WriteCommandDocument(const std::string& path, std::int32_t terminal, std::int64_t searchTime,
                          const TerminalMappingTable& table, const LaunchSettings& settings,
                          CursorPosition cursor, FileSaver& files, MessageSink& messages) {
  const auto found = table.find(terminal);
  if (found == table.end()) {
    ReportMessage(messages, MessageKind::kTerminalNotMapped,
                  "Mapping of search terminal %d to camera not found.\n",
                  static_cast<int>(terminal));
    return false;
  }
  TiXmlDocument document;
  BuildCommandDocument(document, found->second, settings, searchTime, cursor);
  const Outcome save = files.SaveFile(path, Print(document));
  if (!save.done) {
    ReportMessage(messages, MessageKind::kDocumentNotWritten, "Error writing file %s.  Error %s\n",
                  path.c_str(), save.failure.c_str());
    return false;
  }
  return true;
}

}  // namespace pos_video
