#include "checker/sarif_log.h"

#include <array>

#include "base/ascii_classes.h"
#include "checker/escaped_text.h"

namespace pos_video {
namespace {

struct Rule {
  const char* id;  // Published in logs that code hosts keep: never changed, never reused.
  const char* description;
};

// In the order of FindingKind.
constexpr std::array<Rule, 21> kRules = {{
    {"file-unreadable", "The mapping file cannot be opened or read"},
    {"file-refused", "The launcher refuses the file before parsing it"},
    {"xml-not-parsed", "The launcher cannot parse the file as XML"},
    {"no-element", "The file holds no element"},
    {"root-not-termtoinput", "The first element is not TermToInput"},
    {"nothing-loaded", "No Term gives the launcher a terminal"},
    {"no-mapping-file-in-folder", "A folder holds no termToInput.xml, or cannot be read"},
    {"clock-unusable", "A TimeZone or ClockOffset that the launcher cannot use"},
    {"term-rejected", "A Term rejected with a message box"},
    {"setting-not-integer", "A setting that is not an integer: the default is kept"},
    {"text-after-digits", "Digits followed by text that the launcher drops"},
    {"value-unlikely", "A value read as written that hardly says what was meant"},
    {"zone-may-mean-other",
     "A time zone read otherwise than its writer may mean: an Etc/GMT name, or an abbreviation "
     "with another offset or an explicit +"},
    {"control-character", "A value that holds a control character"},
    {"input-names-no-camera", "An Input that names no camera"},
    {"term-replaced", "A later Term replaces an earlier one for the same terminal"},
    {"term-skipped", "A Term that the launcher skips without a word"},
    {"element-ignored", "An element inside TermToInput that the launcher ignores"},
    {"text-ignored", "Text inside TermToInput that the launcher ignores"},
    {"text-after-root", "Text after the first element, which the launcher never reads"},
    {"attribute-not-read", "An attribute meant for the launcher that it does not read there"},
}};
static_assert(kRules.size() == static_cast<std::size_t>(FindingKind::kAttributeNotRead) + 1,
              "one rule for each kind of finding");

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
  const auto byte = [&text](std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
  };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  // The second byte's range rules out overlong forms, surrogates and values beyond U+10FFFF.
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(at + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

// A JSON string of `text`, whose control characters are already spelt out.
std::string JsonString(const std::string& text) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  std::string json = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8Length(text, at);
    const auto byte = static_cast<unsigned char>(text[at]);
    if (length == 0) {
      json += {'\\', '\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
      ++at;
      continue;
    }
    if (text[at] == '"' || text[at] == '\\') json += '\\';
    if (byte < 0x20) {
      json += {'\\', 'u', '0', '0', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    } else {
      json += text.substr(at, length);
    }
    at += length;
  }
  return json + "\"";
}

// A URI reference for `path`: relative as given with "/" separators, or an absolute path as a
// file URI ("C:\a b" is file:///C:/a%20b, "\\server\share" file://server/share), every byte
// but unreserved ones and the separators percent-encoded, the drive's colon kept.
std::string ArtifactUri(const std::string& path) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  std::string slashed = path;
  for (char& c : slashed) c = c == '\\' ? '/' : c;
  const bool drive =
      slashed.size() >= 3 && IsAsciiLetter(slashed[0]) && slashed[1] == ':' && slashed[2] == '/';
  std::string uri = drive                         ? "file:///"
                    : slashed.rfind("//", 0) == 0 ? "file:"
                    : slashed.rfind('/', 0) == 0  ? "file://"
                                                  : "";
  for (std::size_t at = 0; at < slashed.size(); ++at) {
    const char c = slashed[at];
    const auto byte = static_cast<unsigned char>(c);
    if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '/' || c == '-' || c == '.' || c == '_' ||
        c == '~' || (drive && at == 1)) {
      uri += c;
    } else {
      uri += {'%', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    }
  }
  return uri;
}

void WriteResult(std::ostream& out, const std::string& uri, const Finding& finding) {
  out << "{\"ruleId\": " << JsonString(kRules[static_cast<std::size_t>(finding.kind)].id)
      << ", \"level\": \"" << (finding.severity == Severity::kError ? "error" : "warning")
      << "\", \"message\": {\"text\": " << JsonString(Escaped(finding.text))
      << "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": "
      << JsonString(uri) << "}";
  if (finding.position.line > 0) {
    out << ", \"region\": {\"startLine\": " << finding.position.line
        << ", \"startColumn\": " << finding.position.column << "}";
  }
  out << "}}]}";
}

}  // namespace

void WriteSarifLog(std::ostream& out, const std::vector<FileFindings>& files,
                   const std::string& version) {
  out << "{\"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\", \"version\": "
         "\"2.1.0\", \"runs\": [{\"tool\": {\"driver\": {\"name\": \"pos-video-check\", "
         "\"version\": "
      << JsonString(version) << ", \"rules\": [";
  for (const Rule& rule : kRules) {
    out << (&rule == &kRules.front() ? "\n" : ",\n") << "  {\"id\": \"" << rule.id
        << "\", \"shortDescription\": {\"text\": \"" << rule.description << "\"}}";
  }
  out << "]}}, \"columnKind\": \"unicodeCodePoints\", \"results\": [";
  const char* separator = "\n  ";
  for (const FileFindings& file : files) {
    const std::string uri = ArtifactUri(file.path);
    for (const Finding& finding : file.findings) {
      out << separator;
      WriteResult(out, uri, finding);
      separator = ",\n  ";
    }
  }
  out << "]}]}\n";
}

}  // namespace pos_video
