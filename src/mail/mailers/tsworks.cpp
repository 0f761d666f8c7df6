// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectTsworks(TDetection&) {}
void DiscoverTsworks(TMailStores&, TFolder&) {}
void EnumerateTsworks(TMailStores&, TFolder&) {}

}  // namespace lorvane
