// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectKenm3(TDetection&) {}
void DiscoverKenm3(TMailStores&, TFolder&) {}
void EnumerateKenm3(TMailStores&, TFolder&) {}

}  // namespace lorvane
