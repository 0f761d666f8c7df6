// Folder nodes and their persisted check and expansion states ("Mailers\" + FullKey).
// Tested by tests/mail/folder_tree_test.cpp.

#include "mail/folder.h"

#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

namespace {
constexpr int kStoredAsChecked = 7;
}  // namespace

TFolder::TFolder(TIniFile& ini, int kind, int node_type, int image_index,
                 std::string parent_caption, std::string caption, std::string parent_key,
                 std::string key, std::string data_path, bool has_mail, TFolder* parent)
    : ini_(ini),
      kind_(kind),
      node_type_(node_type),
      image_index_(image_index),
      parent_caption_(std::move(parent_caption)),
      caption_(std::move(caption)),
      parent_key_(std::move(parent_key)),
      key_(std::move(key)),
      data_path_(std::move(data_path)),
      has_mail_(has_mail),
      parent_(parent) {
  section_ =
      std::string(keys::kMailers) + "\\" + (parent_key_.empty() ? key_ : parent_key_ + "\\" + key_);
  status_ = ini_.ReadInteger(section_, keys::kStatus, csChecked);
  if (status_ == kStoredAsChecked) status_ = csChecked;
  if (!has_mail_ && status_ == csChecked) status_ = csUnchecked;
  expanded_ = ini_.ReadBool(section_, keys::kExpanded, true);
}

std::string TFolder::FullCaption() const {
  return parent_caption_.empty() ? caption_ : parent_caption_ + "\\" + caption_;
}

std::string TFolder::FullKey() const {
  return parent_key_.empty() ? key_ : parent_key_ + "\\" + key_;
}

TFolder* TFolder::AddChild(int node_type, int image_index, std::string caption, std::string key,
                           std::string data_path, bool has_mail) {
  if (image_index == kMailFolderImage && !has_mail) image_index = kContainerImage;
  children_.push_back(std::make_unique<TFolder>(ini_, kind_, node_type, image_index, FullCaption(),
                                                std::move(caption), FullKey(), std::move(key),
                                                std::move(data_path), has_mail, this));
  return children_.back().get();
}

TFolder* TFolder::Child(int i) const {
  return i >= 0 && i < ChildCount() ? children_[static_cast<size_t>(i)].get() : nullptr;
}

const TMail* TFolder::Mail(int i) const {
  return i >= 0 && i < MailCount() ? &mails_[static_cast<size_t>(i)] : nullptr;
}

void TFolder::ClearMails() {
  mails_.clear();
  mails_.shrink_to_fit();  // a folder of 100,000 messages should not keep its memory
}

void TFolder::SetStatus(int value) {
  if (value == status_) return;
  if (value > csSubtreeChecked && value != kStoredAsChecked) return;
  status_ = value;
  ini_.WriteInteger(section_, keys::kStatus, value);
}

void TFolder::SetExpanded(bool value) {
  if (value == expanded_) return;
  expanded_ = value;
  ini_.WriteBool(section_, keys::kExpanded, value);
}

int TFolder::ShownState() const {
  int shown = status_;
  for (const TFolder* a = parent_; a != nullptr; a = a->parent_) {
    if (a->status_ == csSubtreeUnchecked) shown = csGreyUnchecked;
    if (a->status_ == csSubtreeChecked) shown = csGreyChecked;
  }
  return shown;
}

}  // namespace lorvane
