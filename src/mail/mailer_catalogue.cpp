// The catalogue of mailer kinds: names, settings keys and the procedures of each kind.
// Tested by tests/mail/mail_stores_test.cpp.

#include "mail/mailer_catalogue.h"

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

namespace {

#define LORVANE_ENTRY(kind, name, key, without_blank, Proc) \
  { kind, name, key, without_blank, Detect##Proc, Discover##Proc, Enumerate##Proc }

const TMailerEntry kCatalogue[kMailerKinds] = {
    LORVANE_ENTRY(mkDirectory, "Directory", "Directory", false, Directory),
    LORVANE_ENTRY(mkAkira32Gold, "akira32Gold", "akira32Gold", false, Akira32Gold),
    LORVANE_ENTRY(mkAlMail, "AL-Mail", "AL_Mail", false, AlMail),
    LORVANE_ENTRY(mkAlMail32, "AL-Mail32", "AL_Mail32", false, AlMail32),
    LORVANE_ENTRY(mkBecky, "Becky!", "Becky", true, Becky),
    LORVANE_ENTRY(mkBecky2, "Becky!2", "Becky2", true, Becky2),
    LORVANE_ENTRY(mkDatula, "Datula", "Datula", false, Datula),
    LORVANE_ENTRY(mkEdMax, "EdMax", "EdMax", false, EdMax),
    LORVANE_ENTRY(mkEudora, "EUDORA", "EUDORA", false, Eudora),
    LORVANE_ENTRY(mkHyperMailer, "HyperMailer", "HyperMailer", false, HyperMailer),
    LORVANE_ENTRY(mkKenm3, "Kenm3", "Kenm3", false, Kenm3),
    LORVANE_ENTRY(mkMessageManager, "MessageManager", "MessageManager", false, MessageManager),
    LORVANE_ENTRY(mkMessenger, "Messenger", "Messenger", false, Messenger),
    LORVANE_ENTRY(mkSesna, "sesna", "sesna", false, Sesna),
    LORVANE_ENTRY(mkTsworks, "tsworks", "tsworks", false, Tsworks),
    LORVANE_ENTRY(mkWeMail32, "WeMail32", "WeMail32", false, WeMail32),
    LORVANE_ENTRY(mkWinbiff, "Winbiff", "Winbiff", false, Winbiff),
    LORVANE_ENTRY(mkDenshin8, "電信八号", "電信八号", false, Denshin8),
};

#undef LORVANE_ENTRY

}  // namespace

const TMailerEntry* MailerEntry(int kind) {
  return kind >= 0 && kind < kMailerKinds ? &kCatalogue[kind] : nullptr;
}

std::string MailerName(int kind) {
  const TMailerEntry* e = MailerEntry(kind);
  return e ? e->name : "";
}

std::string MailerKey(int kind) {
  const TMailerEntry* e = MailerEntry(kind);
  return e ? e->key : "";
}

bool HeaderNamesWithoutBlank(int kind) {
  const TMailerEntry* e = MailerEntry(kind);
  return e != nullptr && e->header_names_without_blank;
}

int MailerKindOfName(const std::string& name) {
  for (const auto& e : kCatalogue) {
    if (name == e.name) return e.kind;
  }
  return -1;
}

}  // namespace lorvane
