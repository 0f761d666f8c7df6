// Hits to the viewer and the viewer's message back to a row. Both read First with the
// same parser, so a row whose First is damaged still finds itself again.
// Tested by tests/search/result_viewer_test.cpp.

#include "search/result_viewer.h"

namespace lorvane {

void AddResultToViewer(const TResultList& results, TViewerMessages* viewer) {
  for (int row = 0; row < results.Count(); ++row) {
    viewer->AddMail(results.Field(row, mfFileName),
                    ParseMailAddress(results.Field(row, mfFirst), 0),
                    ParseMailAddress(results.Field(row, mfLast), -1));
  }
}

int RowOfViewedMail(const TResultList& results, std::string_view file, int32_t first) {
  for (int row = 0; row < results.Count(); ++row) {
    if (results.Field(row, mfFileName) == file &&
        ParseMailAddress(results.Field(row, mfFirst), 0) == first) {
      return row;
    }
  }
  return -1;
}

}  // namespace lorvane
