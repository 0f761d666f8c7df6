#pragma once
// The mail stores: detection of the mail programs, the folder tree built below them, and
// the listing of each folder's messages. One object per main window (or CLI run); it
// owns the tree and the mailer root table.
//
//   TMailStores stores(platform, ini, dialogs);
//   stores.Rebuild();                         // detect kinds 1..17 then 0; discover folders
//   for (TFolder* f : stores.Tree().SelectedFolders()) {
//     stores.EnumerateMails(*f);              // f->Mail(i) ...
//     f->ClearMails();
//   }

#include <array>
#include <functional>
#include <string>

#include "common/date_time.h"
#include "mail/folder_tree.h"
#include "mail/mailer_catalogue.h"
#include "mail/user_dialogs.h"
#include "platform/platform.h"

namespace lorvane {

class TDetectionLog;
class TIniFile;

class TMailStores {
 public:
  TMailStores(TPlatform& platform, TIniFile& ini, IUserDialogs& dialogs);
  TMailStores(const TMailStores&) = delete;
  TMailStores& operator=(const TMailStores&) = delete;

  TPlatform& Platform() { return platform_; }
  IFileSystem& Fs() { return platform_.fs; }
  IRegistry& Registry() { return platform_.registry; }
  TIniFile& Ini() { return ini_; }
  IUserDialogs& Dialogs() { return dialogs_; }
  TFolderTree& Tree() { return tree_; }

  // The data root that the last successful detection of `kind` found ("" before).
  const std::string& Root(int kind) const;
  void SetRoot(int kind, std::string root);

  // Detects one kind; on success appends its mail-program node to the tree. Automatic
  // mode skips hidden kinds and never shows a dialog; interactive mode shows the failure.
  bool DetectMailer(int kind, bool automatic);
  // Builds the folders below one mail-program node.
  void DiscoverFolders(TFolder& mailer_node);
  // Clears the tree and builds it again: detection of kinds 1..17, then 0, then discovery
  // below every mail-program node in that order.
  void Rebuild();
  // Fills the folder's message list (nothing for a folder without mail of its own).
  // Raises Exception where the store's index is unreadable or damaged as the user must be
  // told (AL-Mail's index, number fields of Datula, Becky!2 and akira32Gold).
  void EnumerateMails(TFolder& folder);

  // Beside the program: its name with ".log".
  std::string DetectionLogPath();
  // The time written in the log's headers; the system clock unless a test sets one.
  void SetClock(std::function<TDateTime()> clock) { clock_ = std::move(clock); }

 private:
  // One detection, its lines appended to `log` (cut to its last lines, not saved).
  bool DetectInto(int kind, bool automatic, TDetectionLog& log);

  TPlatform& platform_;
  TIniFile& ini_;
  IUserDialogs& dialogs_;
  TFolderTree tree_;
  std::array<std::string, kMailerKinds> roots_;
  std::function<TDateTime()> clock_;
};

// One detection in progress, handed to the kind's procedure. The procedure logs what it
// reads, sets `found` and the root on success, and the message on failure.
class TDetection {
 public:
  TDetection(TMailStores& stores, int kind, bool automatic, TDetectionLog& log)
      : stores_(stores), kind_(kind), automatic_(automatic), log_(log) {}

  TMailStores& Stores() { return stores_; }
  int Kind() const { return kind_; }
  bool Automatic() const { return automatic_; }

  void Log(std::string line);
  // Sets the message shown when an interactive detection fails ("fail with").
  void Fail(std::string message) { message_ = std::move(message); }
  void AppendMessage(const std::string& text) { message_ += text; }
  const std::string& Message() const { return message_; }
  void SetRoot(std::string root) { stores_.SetRoot(kind_, std::move(root)); }
  void SetFound() { found_ = true; }
  bool Found() const { return found_; }

 private:
  TMailStores& stores_;
  int kind_;
  bool automatic_;
  TDetectionLog& log_;
  bool found_ = false;
  std::string message_;
};

// The system clock as a local date-time.
TDateTime NowLocal();

}  // namespace lorvane
