// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectMessenger(TDetection&) {}
void DiscoverMessenger(TMailStores&, TFolder&) {}
void EnumerateMessenger(TMailStores&, TFolder&) {}

}  // namespace lorvane
