// Detection, discovery and enumeration dispatched through the mailer catalogue. What is
// common to every kind lives here: the detection log and its headers, the "Hidden" and
// "Installed" values, the mail-program node, the interactive failure message.
// Tested by tests/mail/mail_stores_test.cpp; each kind by tests/mail/mailers/.

#include "mail/mail_stores.h"

#include <cstdio>
#include <ctime>

#include "common/windows_path.h"
#include "mail/detection_log.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

TDateTime NowLocal() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, std::min(local.tm_sec, 59)})
      .value_or(TDateTime{});
}

TMailStores::TMailStores(TPlatform& platform, TIniFile& ini, IUserDialogs& dialogs)
    : platform_(platform), ini_(ini), dialogs_(dialogs), tree_(ini), clock_(NowLocal) {}

const std::string& TMailStores::Root(int kind) const {
  static const std::string kNone;
  return kind >= 0 && kind < kMailerKinds ? roots_[static_cast<size_t>(kind)] : kNone;
}

void TMailStores::SetRoot(int kind, std::string root) {
  if (kind >= 0 && kind < kMailerKinds) roots_[static_cast<size_t>(kind)] = std::move(root);
}

std::string TMailStores::DetectionLogPath() {
  return ChangeFileExt(Fs().ProgramPath(), ".log");
}

void TDetection::Log(std::string line) {
  log_.Append(std::move(line));
}

bool TMailStores::DetectMailer(int kind, bool automatic) {
  TDetectionLog log(Fs(), DetectionLogPath());
  log.Load();
  const bool found = DetectInto(kind, automatic, log);
  log.Save();
  return found;
}

bool TMailStores::DetectInto(int kind, bool automatic, TDetectionLog& log) {
  const TMailerEntry* entry = MailerEntry(kind);
  if (entry == nullptr) return false;
  if (automatic && kind == mkAkira32Gold) log.Append("");  // separates one full run from the next
  log.Append("■" + MailerName(kind) + " " + FormatDateTime(clock_()));

  TDetection detection(*this, kind, automatic, log);
  const std::string section = std::string(keys::kMailers) + "\\" + MailerKey(kind);
  if (kind == mkDirectory) {
    if (ini_.ReadInteger(keys::kDirectory, keys::kNumber, 0) > 0) detection.SetFound();
  } else if (!(automatic && ini_.ReadBool(section, keys::kHidden, false))) {
    entry->detect(detection);
  }
  log.Cut();

  if (detection.Found()) {
    tree_.AppendMailer(kind, MailerIcon(kind), MailerName(kind), MailerKey(kind));
    if (kind >= 1) {
      ini_.WriteBool(section, keys::kInstalled, true);
      ini_.WriteBool(section, keys::kHidden, false);
    }
  } else if (!automatic) {
    dialogs_.ShowMessage(detection.Message(), "エラー");
  }
  return detection.Found();
}

void TMailStores::DiscoverFolders(TFolder& mailer_node) {
  if (const TMailerEntry* entry = MailerEntry(mailer_node.Kind())) {
    entry->discover(*this, mailer_node);
  }
}

void TMailStores::Rebuild() {
  tree_.Clear();
  // One read and one write of the log for the whole run, not one per kind: the file ends
  // the same, and a start-up does not wait for eighteen synced replacements.
  TDetectionLog log(Fs(), DetectionLogPath());
  log.Load();
  try {
    for (int kind = 1; kind < kMailerKinds; ++kind) DetectInto(kind, true, log);
    DetectInto(mkDirectory, true, log);
  } catch (...) {
    log.Save();  // what was tried before the failure is what the log is for
    throw;
  }
  log.Save();
  for (int i = 0; i < tree_.MailerCount(); ++i) DiscoverFolders(*tree_.Mailer(i));
}

void TMailStores::EnumerateMails(TFolder& folder) {
  if (!folder.HasMail()) return;
  if (const TMailerEntry* entry = MailerEntry(folder.Kind())) entry->enumerate(*this, folder);
}

}  // namespace lorvane
