// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectEdMax(TDetection&) {}
void DiscoverEdMax(TMailStores&, TFolder&) {}
void EnumerateEdMax(TMailStores&, TFolder&) {}

}  // namespace lorvane
