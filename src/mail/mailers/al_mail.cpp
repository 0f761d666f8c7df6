// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectAlMail(TDetection&) {}
void DiscoverAlMail(TMailStores&, TFolder&) {}
void EnumerateAlMail(TMailStores&, TFolder&) {}

}  // namespace lorvane
