// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectHyperMailer(TDetection&) {}
void DiscoverHyperMailer(TMailStores&, TFolder&) {}
void EnumerateHyperMailer(TMailStores&, TFolder&) {}

}  // namespace lorvane
