// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectWinbiff(TDetection&) {}
void DiscoverWinbiff(TMailStores&, TFolder&) {}
void EnumerateWinbiff(TMailStores&, TFolder&) {}

}  // namespace lorvane
