#pragma once
// One node of the folder tree: a mail program or one of its folders, with the names the
// user sees, the key path its settings are stored under, where its mail lies, and the
// user's choice of whether to search it (written through to the settings at once).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "mail/mail_reader.h"

namespace lorvane {

class TIniFile;

enum TNodeType { ntMailer = 1, ntFolder = 2 };

// The node images of folders: one that holds mail, and one that only holds folders. A
// mail program's node shows its own (MailerIcon).
constexpr int kMailFolderImage = 1;
constexpr int kContainerImage = 2;

// Check states. 1-4 are stored; 5 and 6 are only ever shown, below a 3 or a 4.
enum TCheckState {
  csUnchecked = 1,         // not searched (a container: each sub-folder decides)
  csChecked = 2,           // searched
  csSubtreeUnchecked = 3,  // this node and everything below: not searched
  csSubtreeChecked = 4,    // this node and everything below: searched
  csGreyUnchecked = 5,     // shown below a 3
  csGreyChecked = 6,       // shown below a 4
};

class TFolder {
 public:
  // Loads the stored Status (default 2; 7 reads as 2; 2 on a node without mail reads as
  // 1) and Expanded (default true) of the node's section.
  TFolder(TIniFile& ini, int kind, int node_type, int image_index, std::string parent_caption,
          std::string caption, std::string parent_key, std::string key, std::string data_path,
          bool has_mail, TFolder* parent = nullptr);
  TFolder(const TFolder&) = delete;
  TFolder& operator=(const TFolder&) = delete;

  int Kind() const { return kind_; }
  int NodeType() const { return node_type_; }
  int ImageIndex() const { return image_index_; }
  const std::string& ParentCaption() const { return parent_caption_; }
  const std::string& Caption() const { return caption_; }
  const std::string& ParentKey() const { return parent_key_; }
  const std::string& Key() const { return key_; }
  const std::string& DataPath() const { return data_path_; }
  bool HasMail() const { return has_mail_; }
  const std::string& Section() const { return section_; }
  int Status() const { return status_; }
  bool Expanded() const { return expanded_; }
  std::string FullCaption() const;
  std::string FullKey() const;
  TFolder* Parent() const { return parent_; }

  // Appends a child of the same kind; a mail-folder image without mail becomes a
  // container image.
  TFolder* AddChild(int node_type, int image_index, std::string caption, std::string key,
                    std::string data_path, bool has_mail);
  int ChildCount() const { return static_cast<int>(children_.size()); }
  TFolder* Child(int i) const;

  // The folder's message addresses, filled by enumeration and emptied after use.
  int MailCount() const { return static_cast<int>(mails_.size()); }
  const TMail* Mail(int i) const;
  void AddMail(TMail mail) { mails_.push_back(std::move(mail)); }
  void ClearMails();
  // Hands the list over (the folder's list is empty afterwards), and back.
  std::vector<TMail> TakeMails() { return std::exchange(mails_, {}); }
  void SetMails(std::vector<TMail> mails) { mails_ = std::move(mails); }

  // Values up to 4, and 7, are stored at once; anything else is ignored.
  void SetStatus(int value);
  void SetExpanded(bool value);

  // The state the tree shows: 5 or 6 below an ancestor in state 3 or 4 (the outermost
  // such ancestor decides), else the stored Status.
  int ShownState() const;

 private:
  TIniFile& ini_;
  int kind_;
  int node_type_;
  int image_index_;
  std::string parent_caption_;
  std::string caption_;
  std::string parent_key_;
  std::string key_;
  std::string data_path_;
  bool has_mail_;
  std::string section_;
  int status_ = csChecked;
  bool expanded_ = true;
  TFolder* parent_;
  std::vector<std::unique_ptr<TFolder>> children_;
  std::vector<TMail> mails_;
};

}  // namespace lorvane
