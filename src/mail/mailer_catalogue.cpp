// The catalogue of mailer kinds: names, settings keys and the procedures of each kind.
// Tested by tests/mail/mail_stores_test.cpp.

#include "mail/mailer_catalogue.h"

#include "mail/mailers/mailer_procedures.h"

namespace lorvane {

namespace {

#define LORVANE_ENTRY(kind, name, key, Proc) \
  { kind, name, key, Detect##Proc, Discover##Proc, Enumerate##Proc }

const TMailerEntry kCatalogue[kMailerKinds] = {
    LORVANE_ENTRY(mkDirectory, "Directory", "Directory", Directory),
    LORVANE_ENTRY(mkAkira32Gold, "akira32Gold", "akira32Gold", Akira32Gold),
    LORVANE_ENTRY(mkAlMail, "AL-Mail", "AL_Mail", AlMail),
    LORVANE_ENTRY(mkAlMail32, "AL-Mail32", "AL_Mail32", AlMail32),
    LORVANE_ENTRY(mkBecky, "Becky!", "Becky", Becky),
    LORVANE_ENTRY(mkBecky2, "Becky!2", "Becky2", Becky2),
    LORVANE_ENTRY(mkDatula, "Datula", "Datula", Datula),
    LORVANE_ENTRY(mkEdMax, "EdMax", "EdMax", EdMax),
    LORVANE_ENTRY(mkEudora, "EUDORA", "EUDORA", Eudora),
    LORVANE_ENTRY(mkHyperMailer, "HyperMailer", "HyperMailer", HyperMailer),
    LORVANE_ENTRY(mkKenm3, "Kenm3", "Kenm3", Kenm3),
    LORVANE_ENTRY(mkMessageManager, "MessageManager", "MessageManager", MessageManager),
    LORVANE_ENTRY(mkMessenger, "Messenger", "Messenger", Messenger),
    LORVANE_ENTRY(mkSesna, "sesna", "sesna", Sesna),
    LORVANE_ENTRY(mkTsworks, "tsworks", "tsworks", Tsworks),
    LORVANE_ENTRY(mkWeMail32, "WeMail32", "WeMail32", WeMail32),
    LORVANE_ENTRY(mkWinbiff, "Winbiff", "Winbiff", Winbiff),
    LORVANE_ENTRY(mkDenshin8, "電信八号", "電信八号", Denshin8),
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

int MailerKindOfName(const std::string& name) {
  for (const auto& e : kCatalogue) {
    if (name == e.name) return e.kind;
  }
  return -1;
}

}  // namespace lorvane
