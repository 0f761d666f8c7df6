// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectDenshin8(TDetection&) {}
void DiscoverDenshin8(TMailStores&, TFolder&) {}
void EnumerateDenshin8(TMailStores&, TFolder&) {}

}  // namespace lorvane
