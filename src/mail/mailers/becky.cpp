// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectBecky(TDetection&) {}
void DiscoverBecky(TMailStores&, TFolder&) {}
void EnumerateBecky(TMailStores&, TFolder&) {}

}  // namespace lorvane
