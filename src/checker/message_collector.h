// Stand-ins for the launcher's message box and its document file, for running the launcher's
// own loader and writer inside the checker: they keep what would be shown or saved, so that
// checking a mapping file never shows a box nor touches the client's command document.
#pragma once

#include <string>
#include <vector>

#include "base/platform.h"

namespace pos_video {

class MessageCollector : public MessageSink {
 public:
  void ShowMessage(MessageKind /*kind*/, const std::string& text) override {
    messages_.push_back(text);
  }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

class DocumentCollector : public FileSaver {
 public:
  FileSave SaveFile(const std::string& /*path*/, const std::string& text) override {
    document_ = text;
    return {true, ""};
  }
  const std::string& document() const { return document_; }

 private:
  std::string document_;
};

}  // namespace pos_video
