// Mapping files (termToInput.xml) spelled the short way, for the tests that load them.
#pragma once

#include <string>

namespace pos_video::testing {

// A camera by name: Input "C" of System "S".
inline const std::string kCamera = "<System Name=\"S\"><Input Name=\"C\"/></System>";
// An Input with neither Name nor Number: the Term it is in is reported as invalid.
inline const std::string kNoCamera = "<System Name=\"S\"><Input/></System>";

inline std::string TermToInput(const std::string& children, const std::string& attributes = "") {
  return "<TermToInput" + attributes + ">" + children + "</TermToInput>";
}

inline std::string Term(const std::string& number, const std::string& inside = kCamera,
                        const std::string& attributes = "") {
  return "<Term Number=\"" + number + "\"" + attributes + ">" + inside + "</Term>";
}

inline std::string Repeated(const std::string& text, int count) {
  std::string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

}  // namespace pos_video::testing
