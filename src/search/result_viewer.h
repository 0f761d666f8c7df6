#pragma once
// The result list's side of the built-in viewer: the hits handed to a new viewer, and the
// row to select when a viewer says which message it shows.

#include <cstdint>
#include <string_view>

#include "mail/viewer_messages.h"
#include "search/result_list.h"

namespace lorvane {

// AddMail for every hit in list order, First and Last taken as decimal numbers.
void AddResultToViewer(const TResultList& results, TViewerMessages* viewer);

// The first row whose FileName is `file` and whose First is `first` (as a number, as the
// viewer got it); -1 when there is none, so that the selection is left alone.
int RowOfViewedMail(const TResultList& results, std::string_view file, int32_t first);

}  // namespace lorvane
