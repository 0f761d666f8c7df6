// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectMessageManager(TDetection&) {}
void DiscoverMessageManager(TMailStores&, TFolder&) {}
void EnumerateMessageManager(TMailStores&, TFolder&) {}

}  // namespace lorvane
