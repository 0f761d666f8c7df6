// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectWeMail32(TDetection&) {}
void DiscoverWeMail32(TMailStores&, TFolder&) {}
void EnumerateWeMail32(TMailStores&, TFolder&) {}

}  // namespace lorvane
