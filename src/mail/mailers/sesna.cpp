// Placeholder until this mail program's procedures are written: never detected.

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

void DetectSesna(TDetection&) {}
void DiscoverSesna(TMailStores&, TFolder&) {}
void EnumerateSesna(TMailStores&, TFolder&) {}

}  // namespace lorvane
