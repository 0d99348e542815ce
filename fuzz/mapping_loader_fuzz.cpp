// Feeds the mapping loader arbitrary mapping files, then writes the command document for a
// terminal it loaded.
//
// The input is the whole file's bytes. TinyXML is compiled from Debian's source into this target
// with the fuzzer's instrumentation and with its assertions kept, so a fault inside the library
// that our pre-scan lets through surfaces here as a crash, a hang or an assertion; the parser also
// gets the reader's text in a buffer of its exact size, so that no read past its end goes unseen.
// Beyond not crashing, a loaded camera must come back unchanged when the client reads the written
// document.
#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "command_document/command_document_writer.h"
#include "fuzz_support.h"
#include "launcher/launch_constants.h"
#include "mapping/mapping_loader.h"
#include "support/fake_platform.h"

namespace {

using pos_video::fuzzing::Fail;

// After 2038, so that the 64-bit search window is exercised too.
constexpr std::int64_t kSearchTime = 4102444800;

// The first child element `name` of `parent`, or null; null parents pass through.
const TiXmlElement* Child(const TiXmlElement* parent, const char* name) {
  return parent == nullptr ? nullptr : parent->FirstChildElement(name);
}

// Reads back the written document as the client would and checks that it names `mapping`. The
// client reads the system's code page: the declaration names no encoding, and TinyXML would
// otherwise take it for UTF-8 and read a lone byte above 0x7F as the start of a longer character.
void CheckDocumentNamesCamera(const std::string& bytes, const pos_video::TerminalMapping& mapping) {
  TiXmlDocument document;
  document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_LEGACY);
  if (document.Error()) Fail("the written document does not parse: " + bytes);
  const TiXmlElement* system =
      Child(Child(document.FirstChildElement("KorvaneInit"), "Search"), "System");
  const TiXmlElement* input = Child(Child(system, "Video"), "Input");
  if (input == nullptr) Fail("the written document lacks System or Input: " + bytes);
  const auto expect = [&bytes](const TiXmlElement& element, const char* name,
                               const std::string& loaded) {
    const char* read = element.Attribute(name);
    if (read == nullptr || loaded != read) {
      Fail(std::string(element.Value()) + " " + name + " \"" + loaded + "\" reads back as \"" +
           (read == nullptr ? "(absent)" : read) + "\" from:\n" + bytes);
    }
  };
  expect(*system, "Name", mapping.systemName);
  if (!mapping.inputName.empty()) {
    expect(*input, "Name", mapping.inputName);
  } else {
    expect(*input, "Number", mapping.inputNumber);
  }
}

// Parses exactly the text the stream reader hands the parser, from a buffer of exactly its size.
// The reader's own string grows with spare room, where a read past the text's end goes unseen;
// here AddressSanitizer catches the first byte read beyond it.
void ParseExactCopy(const std::string& text) {
  TiXmlDocument streamed;
  std::string ignored;
  std::size_t length = 0;
  pos_video::ParseMappingText(text, &streamed, &ignored, &length);
  if (length == 0) return;
  const std::unique_ptr<char[]> copy(new char[length + 1]);
  std::memcpy(copy.get(), text.data(), length);
  copy[length] = '\0';
  TiXmlDocument document;
  document.Parse(copy.get(), nullptr, TIXML_DEFAULT_ENCODING);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  pos_video::testing::FakePlatform platform(pos_video::fuzzing::ScratchRoot());
  pos_video::TerminalMappingTable table;
  pos_video::LaunchSettings settings;
  const bool loaded = pos_video::LoadTerminalMappingsFromText(text, pos_video::kMappingFilePath,
                                                              table, settings, platform);
  if (loaded == table.empty()) Fail("the loader's result disagrees with its table");
  ParseExactCopy(text);

  if (loaded) {
    // The last terminal: the one a file's later duplicates and odd numbers end up in.
    const auto& [terminal, mapping] = *table.rbegin();
    const std::string target = platform.HostPath(pos_video::kCommandDocumentPath);
    if (!pos_video::WriteCommandDocument(pos_video::kCommandDocumentPath, terminal, kSearchTime,
                                         table, settings, platform)) {
      Fail("the document for a loaded terminal was not written");
    }
    const std::string bytes = pos_video::fuzzing::ReadWholeFile(target);
    if (bytes != pos_video::PrintCommandDocument(mapping, settings, kSearchTime, platform.cursor)) {
      Fail("the saved document differs from the printed one");
    }
    CheckDocumentNamesCamera(bytes, mapping);
  }
  pos_video::fuzzing::CheckMessages(platform.messages);
  return 0;
}
