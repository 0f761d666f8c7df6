// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectAkira32Gold(TDetection&) {}
void DiscoverAkira32Gold(TMailStores&, TFolder&) {}
void EnumerateAkira32Gold(TMailStores&, TFolder&) {}

}  // namespace lorvane
