#include "mapping/mapping_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mapping/mapping_file_reading.h"
#include "support/fake_platform.h"
#include "support/mapping_text.h"

namespace pos_video {
namespace {

using testing::kCamera;
using testing::kNoCamera;
using testing::Repeated;
using testing::Term;

// What loading `text` as termToInput.xml gives, in one line: "stored" or "nothing", each
// terminal as NUMBER=SYSTEM/NAME/NUMBER/DEVICE, then each message in brackets; and a note when the
// loader's ending is not the kind of a message it showed or recorded.
std::string Outcome(const std::string& text, LaunchSettings* settings = nullptr,
                    MappingFileReading* reading = nullptr) {
  testing::FakePlatform platform;
  platform.files["termToInput.xml"] = text;
  TerminalMappingTable table;
  LaunchSettings ownSettings;
  MappingFileReading ownReading;
  MappingFileReading& read = reading != nullptr ? *reading : ownReading;
  const bool stored = LoadTerminalMappings("termToInput.xml", platform, platform, &table,
                                           settings != nullptr ? settings : &ownSettings, &read);
  std::vector<MessageKind> said = platform.kinds;
  for (const auto& warning : platform.warnings) said.push_back(warning.first);
  const bool agrees = stored ? !read.ending : std::count(said.begin(), said.end(), read.ending) > 0;
  std::string outcome = agrees ? "" : "(ending disagrees) ";
  outcome += stored ? "stored" : "nothing";
  for (const auto& [number, m] : table) {
    outcome += " " + std::to_string(number) + "=" + m.systemName + "/" + m.inputName + "/" +
               m.inputNumber + "/" + m.device;
    if (m.timeZone) outcome += "@" + *m.timeZone;
    if (m.clockOffset) outcome += "+" + std::to_string(*m.clockOffset);
  }
  for (const std::string& message : platform.messages) outcome += " [" + message + "]";
  return outcome;
}

std::string Root(const std::string& children, const std::string& attributes = "") {
  return testing::TermToInput(children, attributes);
}

const std::string kStored = "stored 1=S/C//";  // What loading kGood gives.
const std::string kGood = Term("1");
const std::string kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
const std::string kXmlError = "[Cmd line configuration document XML error: ";

// What loading a file the reader or its guard refuses gives.
std::string Refused(const std::string& reason) { return "nothing " + kXmlError + reason + "\n]"; }

const std::string kCutShort = Refused("The text ends in the middle of a UTF-8 character.");

std::string Nested(int depth) {
  return Root(kGood + Repeated("<a>", depth - 1) + Repeated("</a>", depth - 1));
}

// A good file padded with blanks to `size` bytes.
std::string OfSize(std::size_t size) {
  std::string text = Root(kGood, " Pre=\"\"");
  return text.insert(18, size - text.size(), ' ');
}

std::string Attributes(int count) {
  std::string attributes;
  for (int i = 0; i < count; ++i) attributes += " a" + std::to_string(i) + "=\"\"";
  return attributes;
}

TEST(MappingLoaderTest, WhatEachFileGives) {
  const std::pair<std::string, std::string> cases[] = {
      {Root(Term("1", "<System Name=\"N\"><Input Name=\"L\" Number=\"9\" Device=\"2\"/></System>") +
            Term("-3", "<System Name=\"S\"><Input Number=\"7\" Device=\"2\"/></System>") +
            Term("5", "<System Name=\"\"><Input Name=\"\"/></System>")),
       "stored -3=S//7/2 1=N/L/9/2 5=///"},
      // Every way a Term falls short; only an Input without camera is reported.
      {Root(Term("x1")), "nothing"},
      {Root(Term("7", "")), "nothing"},
      {Root(Term("7", "<System><Input Name=\"C\"/></System>")), "nothing"},
      {Root(Term("7", "<System Name=\"S\"></System>")), "nothing"},
      {Root(Term("7", "<System Name=\"S\"><Input Device=\"2\"/></System>") + kGood),
       "stored 1=S/C// [Found invalid mapping for Term Number 7 in file termToInput.xml\n]"},
      // A later Term replaces the whole entry; numbers beyond 32 bits saturate.
      {Root(Term("1", "<System Name=\"Old\"><Input Name=\"A\" Device=\"9\"/></System>") +
            Term("1", "<System Name=\"New\"><Input Number=\"2\"/></System>")),
       "stored 1=New//2/"},
      {Root(Term("4294967297")), "stored 2147483647=S/C//"},
      // Only Term children of the first top-level element count.
      {"<?xml version=\"1.0\"?><!-- c -->" + Root("<Other/><term Number=\"2\"/>" + kGood), kStored},
      {"<Other/>" + Root(kGood), "nothing"},
      // The reader takes an internal subset's "]>" for text: the file holds no element at all.
      {"<!DOCTYPE TermToInput [ <!ENTITY lane \"L\"> ]>\n" + Root(kGood), "nothing"},
      {Root(kGood) + std::string("<<<\0<a></a <![CDATA[\xF0", 20), kStored},
      // What the XML reader cannot read.
      {"", Refused("Error document empty.")},
      {"<TermToInput><Term></TermToInput>", Refused("Error reading end tag.")},
      // What the guard keeps from the reader.
      {std::string("\xFF\xFE<\0T\0e\0r\0m\0", 12),  // UTF-16
       Refused("The file holds a NUL byte; it must be saved as ANSI or UTF-8 (not as "
               "Unicode or UTF-16).")},
      {Nested(128), kStored},
      {Nested(129), Refused("Elements are nested more than 128 levels deep.")},
      {Root(kGood + "<a></a<![CDATA[>"), Refused("A closing tag holds \"<![CDATA[\".")},
      {Root(kGood + "<a><![CDATA[</a>]]></a>"), kStored},
      // Limits that keep every load within seconds and memory.
      {OfSize(20 << 20), kStored},
      {OfSize((20 << 20) + 1), Refused("The file is larger than 20 MiB.")},
      {Root(kGood + "<b" + Attributes(64) + "/>"), kStored},
      {Root(kGood + "<b" + Attributes(65) + "/>"),
       Refused("An element has more than 64 attributes.")},
      {Root(Repeated("<a/>", 1000000)), Refused("The file holds more than 1000000 elements.")},
      // UTF-8 is read only after a declaration or a byte-order mark; a character cut short by
      // the end of the text the reader takes would send the parser past its buffer.
      {Root(Term("4", "<System Name=\"\xFF\xC3(\"><Input Name=\"C\"/></System>")),
       "stored 4=\xFF\xC3(/C//"},
      {kUtf8 + Root(Term("4", "<System Name=\"\360abc\"><Input Name=\"C\"/></System>")),
       "stored 4=\360abc/C//"},
      {kUtf8 + Root(Term("4", "<System Name=\"A\xC3(B\xE2\x82\"><Input Name=\"C\"/></System>")),
       Refused("Error reading Attributes.")},
      {kUtf8 + "<TermToInput Width=\"" + std::string(8000 - kUtf8.size() - 21, 'x') + "\xF0",
       kCutShort},
      {"\xEF\xBB\xBF<TermToInput>" + kGood + "\xE2\x82", kCutShort},
      {kUtf8 + "<TermToInput Width=\"\xF0/>", kCutShort},
      // Any declaration counts as UTF-8: TinyXML's reading of its encoding is its own.
      {"<?xml vencoding=\"latin1\"?><TermToInput Width=\"\xF0/>", kCutShort},
      // Without a declaration the bytes are the system's code page, one character each.
      {"<Other\xE9>" + kGood + "</Other\xE9>", "nothing"},
      {"<!-- c -->\n<Other\xE9>" + kGood + "</Other\xE9>", "nothing"},
  };
  for (const auto& [text, outcome] : cases) {
    EXPECT_EQ(Outcome(text), outcome) << text.substr(0, 200);
  }
}

// Each invalid Term is a box the auditor must dismiss: ten at most, then one count of the rest,
// among them a Term rejected for its zone. A zone or clock offset that cannot be used stops the
// whole file on the root, and on a Term rejects that Term with a message, after the Term's own
// checks.
TEST(MappingLoaderTest, InvalidTermsAndTimesThatCannotBeUsed) {
  const std::string invalid = Term("7", kNoCamera);
  const std::string ten = Repeated(invalid, 10);
  const std::string tenBoxes =
      kStored +
      Repeated(" [Found invalid mapping for Term Number 7 in file termToInput.xml\n]", 10);
  const std::string skipped = " skipped for an invalid mapping in file termToInput.xml\n]";
  const std::string notAZone = " is not a time zone.\n]";
  const std::string notAnOffset = " is not a whole number of seconds within a day.\n]";
  const std::pair<std::string, std::string> cases[] = {
      {Root(ten + kGood), tenBoxes},
      {Root(ten + invalid + kGood), tenBoxes + " [1 more Term" + skipped},
      {Root(ten + invalid + invalid + invalid + kGood), tenBoxes + " [3 more Terms" + skipped},
      {Root(ten + Term("8", kCamera, " TimeZone=\"\"") + kGood),
       tenBoxes + " [1 more Term" + skipped},
      {Root(kGood, " TimeZone=\"Europe/Dublin\" ClockOffset=\"-86400\""), kStored},
      {Root(kGood, " TimeZone=\"Mars/Base\""),
       "nothing [TimeZone \"Mars/Base\" in file termToInput.xml" + notAZone},
      {Root(kGood, " TimeZone=\"\" ClockOffset=\"soon\""),
       "nothing [TimeZone \"\" in file termToInput.xml" + notAZone},
      {Root(kGood, " ClockOffset=\"86401\""),
       "nothing [ClockOffset \"86401\" in file termToInput.xml" + notAnOffset},
      {Root(kGood, " ClockOffset=\"soon\""),
       "nothing [ClockOffset \"soon\" in file termToInput.xml" + notAnOffset},
      {Root(kGood + Term("2", kCamera, " TimeZone=\"EST5EDT,M3.2.0,M11.1.0\" ClockOffset=\"9s\"")),
       "stored 1=S/C// 2=S/C//@EST5EDT,M3.2.0,M11.1.0+9"},
      {Root(kGood + Term("2", kCamera, " TimeZone=\"XST6XDT\" ClockOffset=\"x\"")),
       "stored 1=S/C// [TimeZone \"XST6XDT\" of Term Number 2 in file termToInput.xml" + notAZone},
      {Root(Term("2", kCamera, " ClockOffset=\"-86401\"")),
       "nothing [ClockOffset \"-86401\" of Term Number 2 in file termToInput.xml" + notAnOffset},
      // The Term's own faults come first; one skipped silently stays silent.
      {Root(kGood + Term("2", kNoCamera, " TimeZone=\"x\"")),
       "stored 1=S/C// [Found invalid mapping for Term Number 2 in file termToInput.xml\n]"},
      {Root(kGood + Term("2", "<System/>", " TimeZone=\"x\"")), kStored},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Outcome(text), expected) << text;

  LaunchSettings settings;
  Outcome(Root(kGood, " TimeZone=\"Asia/Kolkata\" ClockOffset=\"12px\""), &settings);
  EXPECT_EQ(settings.TimeZoneName, "Asia/Kolkata");
  EXPECT_EQ(settings.ClockOffset, 12);
}

}  // namespace
}  // namespace pos_video
