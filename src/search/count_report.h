#pragma once
// The count report: the hits of the result list counted by folder, by sent date and by
// sender, as the lines of "Count.txt".

#include <string>
#include <vector>

#include "search/result_list.h"

namespace lorvane {

// `keyword_check` is the plain text of the keyword reading (the coloured runs joined).
std::vector<std::string> CountReportLines(const TResultList& results,
                                          const std::string& keyword_check);

}  // namespace lorvane
