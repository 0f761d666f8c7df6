// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectDatula(TDetection&) {}
void DiscoverDatula(TMailStores&, TFolder&) {}
void EnumerateDatula(TMailStores&, TFolder&) {}

}  // namespace lorvane
