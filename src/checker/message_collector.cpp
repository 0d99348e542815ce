#include "checker/message_collector.h"

namespace pos_video {

void MessageCollector::ShowMessage(const std::string& text) { messages_.push_back(text); }

// The checker previews the document for a pointer at the screen's corner.
CursorPosition MessageCollector::ReadCursorPosition() { return {}; }

void MessageCollector::StartProcess(const ProcessStart&) {}

std::FILE* MessageCollector::CreateTemporaryFileBeside(const std::string&, std::string*) {
  return nullptr;
}

bool MessageCollector::ReplaceFile(const std::string&, const std::string&) { return false; }

void MessageCollector::RemoveFile(const std::string&) {}

}  // namespace pos_video
