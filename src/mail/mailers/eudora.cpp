// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectEudora(TDetection&) {}
void DiscoverEudora(TMailStores&, TFolder&) {}
void EnumerateEudora(TMailStores&, TFolder&) {}

}  // namespace lorvane
