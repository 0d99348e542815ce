// Why the launcher does not use a Term, in words an integrator can act on.
#pragma once

#include "checker/mapping_report.h"
#include "mapping/mapping_loader.h"

class TiXmlElement;

namespace pos_video {

// For a Term that the loader did not store: the rule it breaks, placed at the Term, with a hint
// when a likely slip explains it (a name in the wrong letter case, an Input placed directly under
// Term instead of inside System).
Diagnostic DescribeUnusedTerm(const TermReading& reading);

}  // namespace pos_video
