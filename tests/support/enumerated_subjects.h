#pragma once
// Reads back what enumeration listed: the Subject of every message of a folder, each
// read through the message reader from its address, so a test proves the addresses
// match the storage layout (a wrong line or byte range gives a wrong or missing Subject).

#include <string>

#include "support/stores_harness.h"

namespace lorvane::testing {

// The decoded Subject values of the folder with this FullCaption, one a line, in list
// order; "<none>" for a message without one. The folder's list is cleared again.
std::string SubjectsOf(TStoresHarness& h, const std::string& full_caption);

}  // namespace lorvane::testing
