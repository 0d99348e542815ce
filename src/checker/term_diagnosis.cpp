#include "checker/term_diagnosis.h"

#include <tinyxml.h>

#include <string>

#include "checker/name_slips.h"

namespace pos_video {
namespace {

std::string ElementHint(const TiXmlElement& parent, const char* name) {
  const TiXmlElement* nearMiss = ChildInOtherCase(parent, name);
  return nearMiss == nullptr ? "" : CaseHint("<" + nearMiss->ValueStr() + ">");
}

// The most common slip in hand-written files: the launcher looks for Input only inside System.
std::string MisplacedInputHint(const TiXmlElement& term) {
  if (term.FirstChildElement("Input") == nullptr) return "";
  return "; an Input stands directly under Term, where the launcher does not look for it: "
         "move it inside System";
}

std::string TermLabel(const TermReading& reading) {
  return "Term for terminal " + std::to_string(reading.number);
}

}  // namespace

Diagnostic DescribeUnusedTerm(const TermReading& reading) {
  const TiXmlElement& term = *reading.element;
  Diagnostic diagnostic;
  diagnostic.position = {term.Row(), term.Column()};
  const TiXmlElement* system = term.FirstChildElement("System");
  switch (reading.verdict) {
    case TermVerdict::kNoIntegerNumber: {
      diagnostic.kind = DiagnosticKind::kTermWithoutIntegerNumber;
      const char* number = term.Attribute("Number");
      diagnostic.text = number == nullptr ? "Term skipped: it has no Number attribute" +
                                                CaseHint(AttributeInOtherCase(term, "Number"))
                                          : "Term skipped: its Number \"" + std::string(number) +
                                                "\" is not an integer";
      break;
    }
    case TermVerdict::kNoSystem:
      diagnostic.kind = DiagnosticKind::kTermWithoutSystem;
      diagnostic.text = TermLabel(reading) + " skipped: it has no System element" +
                        ElementHint(term, "System") + MisplacedInputHint(term);
      break;
    case TermVerdict::kSystemWithoutName:
      diagnostic.kind = DiagnosticKind::kSystemWithoutName;
      diagnostic.text = TermLabel(reading) + " skipped: its System has no Name attribute" +
                        CaseHint(AttributeInOtherCase(*system, "Name"));
      break;
    case TermVerdict::kNoInput:
      diagnostic.kind = DiagnosticKind::kSystemWithoutInput;
      diagnostic.text = TermLabel(reading) + " skipped: its System holds no Input element" +
                        ElementHint(*system, "Input") + MisplacedInputHint(term);
      break;
    case TermVerdict::kInputWithoutNameOrNumber: {
      diagnostic.kind = DiagnosticKind::kInputWithoutNameOrNumber;
      const TiXmlElement& input = *system->FirstChildElement("Input");
      diagnostic.text = TermLabel(reading) +
                        " rejected with a message: its Input has neither Name nor Number" +
                        CaseHint(AttributeInOtherCase(input, "Name")) +
                        CaseHint(AttributeInOtherCase(input, "Number"));
      break;
    }
    case TermVerdict::kStored:
      break;
  }
  return diagnostic;
}

}  // namespace pos_video
