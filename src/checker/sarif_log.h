// The checker's findings as one SARIF 2.1.0 log, the form that code hosts (GitHub code scanning,
// Azure DevOps, GitLab) read from linters: one run, one rule for each kind of finding under a
// name that stays, and one result for each finding, with its file and, where it has one, its place.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "checker/mapping_review.h"

namespace pos_video {

struct FileFindings {
  std::string path;  // As given or found: a relative path is written relative, an absolute one
                     // as a file URI.
  std::vector<Finding> findings;
};

// Message texts are spelt as the line form spells them, and each byte outside well-formed UTF-8
// as \xNN, so that the log is valid UTF-8 JSON whatever a file holds. `version` is the checker's.
void WriteSarifLog(std::ostream& out, const std::vector<FileFindings>& files,
                   const std::string& version);

}  // namespace pos_video
