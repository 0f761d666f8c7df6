// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectBecky2(TDetection&) {}
void DiscoverBecky2(TMailStores&, TFolder&) {}
void EnumerateBecky2(TMailStores&, TFolder&) {}

}  // namespace lorvane
