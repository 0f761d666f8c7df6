#pragma once
// The per-kind procedures of the mailer catalogue, one file per mail program
// (mailers/<name>.cpp). Each file defines the three functions of its kind.

#include "mail/mailer_catalogue.h"

namespace lorvane {

#define LORVANE_MAILER_PROCEDURES(Name)                    \
  void Detect##Name(TDetection& detection);                \
  void Discover##Name(TMailStores& stores, TFolder& node); \
  void Enumerate##Name(TMailStores& stores, TFolder& folder);

LORVANE_MAILER_PROCEDURES(Directory)
LORVANE_MAILER_PROCEDURES(Akira32Gold)
LORVANE_MAILER_PROCEDURES(AlMail)
LORVANE_MAILER_PROCEDURES(AlMail32)
LORVANE_MAILER_PROCEDURES(Becky)
LORVANE_MAILER_PROCEDURES(Becky2)
LORVANE_MAILER_PROCEDURES(Datula)
LORVANE_MAILER_PROCEDURES(EdMax)
LORVANE_MAILER_PROCEDURES(Eudora)
LORVANE_MAILER_PROCEDURES(HyperMailer)
LORVANE_MAILER_PROCEDURES(Kenm3)
LORVANE_MAILER_PROCEDURES(MessageManager)
LORVANE_MAILER_PROCEDURES(Messenger)
LORVANE_MAILER_PROCEDURES(Sesna)
LORVANE_MAILER_PROCEDURES(Tsworks)
LORVANE_MAILER_PROCEDURES(WeMail32)
LORVANE_MAILER_PROCEDURES(Winbiff)
LORVANE_MAILER_PROCEDURES(Denshin8)

#undef LORVANE_MAILER_PROCEDURES

}  // namespace lorvane
