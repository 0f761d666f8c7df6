// Subjects of enumerated messages, read through TMailReader.

#include "support/enumerated_subjects.h"

#include "mail/mail_reader.h"
#include "mail/mail_text.h"

namespace lorvane::testing {

std::string SubjectsOf(TStoresHarness& h, const std::string& full_caption) {
  TFolder* folder = h.stores.Tree().FindByFullCaption(full_caption);
  if (folder == nullptr) return "<no folder " + full_caption + ">";
  TMailReader reader(h.stores.Fs(), [] { return true; });
  h.stores.EnumerateMails(*folder);
  std::string out;
  for (int i = 0; i < folder->MailCount(); ++i) {
    std::string subject = "<none>";
    const std::string header = reader.GetHeader(*folder->Mail(i));
    for (std::string_view line : SplitLines(header)) {
      if (line.substr(0, 9) == "Subject: ") {
        subject = std::string(line.substr(9));
        break;
      }
    }
    out += subject + "\n";
  }
  folder->ClearMails();
  return out;
}

}  // namespace lorvane::testing
