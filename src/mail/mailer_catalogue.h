#pragma once
// The eighteen mailer kinds: 0 for the user's directories, 1 to 17 for the mail programs.
// Each kind's display name, settings key and icon, and its detection, discovery and
// enumeration procedures, are found through one table (mailer_catalogue.cpp).

#include <string>

namespace lorvane {

class TDetection;
class TFolder;
class TMailStores;

enum TMailerKind {
  mkDirectory = 0,
  mkAkira32Gold = 1,
  mkAlMail = 2,
  mkAlMail32 = 3,
  mkBecky = 4,
  mkBecky2 = 5,
  mkDatula = 6,
  mkEdMax = 7,
  mkEudora = 8,
  mkHyperMailer = 9,
  mkKenm3 = 10,
  mkMessageManager = 11,
  mkMessenger = 12,
  mkSesna = 13,
  mkTsworks = 14,
  mkWeMail32 = 15,
  mkWinbiff = 16,
  mkDenshin8 = 17,
};
constexpr int kMailerKinds = 18;

// Finds the data root and sets `found` (see TDetection).
using TDetectProc = void (*)(TDetection& detection);
// Builds the folders below a mail-program node.
using TDiscoverProc = void (*)(TMailStores& stores, TFolder& mailer_node);
// Appends the folder's message addresses; raises Exception where a store's index is
// damaged in a way the user must hear about.
using TEnumerateProc = void (*)(TMailStores& stores, TFolder& folder);

struct TMailerEntry {
  int kind;
  const char* name;  // CP932
  const char* key;   // CP932; the settings section "Mailers\" + key
  // Its messages' header names may stand without a blank after the colon ("Subject:x").
  bool header_names_without_blank;
  TDetectProc detect;
  TDiscoverProc discover;
  TEnumerateProc enumerate;
};

// The entry of `kind` (0..17); nullptr outside.
const TMailerEntry* MailerEntry(int kind);
// "" outside 0..17.
std::string MailerName(int kind);
std::string MailerKey(int kind);
// The node icon of a mail-program node: kind + 2.
inline int MailerIcon(int kind) {
  return kind + 2;
}
// The kind's header_names_without_blank; false outside 0..17.
bool HeaderNamesWithoutBlank(int kind);
// The kind whose display name is `name` exactly; -1 when none.
int MailerKindOfName(const std::string& name);

}  // namespace lorvane
