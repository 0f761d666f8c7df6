// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectAlMail32(TDetection&) {}
void DiscoverAlMail32(TMailStores&, TFolder&) {}
void EnumerateAlMail32(TMailStores&, TFolder&) {}

}  // namespace lorvane
