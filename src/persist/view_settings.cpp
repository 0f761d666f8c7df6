// The view and viewer options in the settings.
// Tested by tests/persist/view_settings_test.cpp.

#include "persist/view_settings.h"

#include "persist/ini_file.h"
#include "persist/settings_keys.h"

namespace lorvane {

namespace {

struct TFlagKey {
  const char* name;
  bool default_value;
};

constexpr TFlagKey kFlags[] = {
    {"KeywordCheck", true}, {keys::kProgressBar, true}, {"Folder Tree", true},
    {"Alias", false},       {"Show Hint", true},        {keys::kProgressReport, false},
};

constexpr const char* kDoubleClick = "DoubleClick";
constexpr const char* kApplication = "Application";
constexpr const char* kViewer = "Viewer";
constexpr const char* kLimit32KB = "Limit 32KB";
constexpr const char* kTreeWidth = "Tree Width";

std::string WidthName(int column) {
  return "Width[" + std::to_string(column) + "]";
}

}  // namespace

bool TViewSettings::Get(TViewFlag flag) const {
  const TFlagKey& key = kFlags[flag];
  return ini_.ReadBool(keys::kDisplay, key.name, key.default_value);
}

void TViewSettings::Set(TViewFlag flag, bool on) {
  ini_.WriteBool(keys::kDisplay, kFlags[flag].name, on);
}

bool TViewSettings::Toggle(TViewFlag flag) {
  const bool on = !Get(flag);
  Set(flag, on);
  return on;
}

TDoubleClick TViewSettings::DoubleClick() const {
  return ini_.ReadString(keys::kOption, kDoubleClick, kViewer) == kApplication ? dcApplication
                                                                                : dcViewer;
}

void TViewSettings::SetDoubleClick(TDoubleClick action) {
  ini_.WriteString(keys::kOption, kDoubleClick, action == dcApplication ? kApplication : kViewer);
}

bool TViewSettings::Limit32KB() const {
  return ini_.ReadBool(keys::kOption, kLimit32KB, true);
}

void TViewSettings::SetLimit32KB(bool on) {
  ini_.WriteBool(keys::kOption, kLimit32KB, on);
}

int TViewSettings::TreeWidth(int design_width) const {
  return ini_.ReadInteger(kBaseFormSection, kTreeWidth, design_width);
}

void TViewSettings::SetTreeWidth(int width) {
  ini_.WriteInteger(kBaseFormSection, kTreeWidth, width);
}

int TViewSettings::ColumnWidth(int column, int design_width) const {
  return ini_.ReadInteger(kBaseFormSection, WidthName(column), design_width);
}

void TViewSettings::SetColumnWidth(int column, int width) {
  ini_.WriteInteger(kBaseFormSection, WidthName(column), width);
}

}  // namespace lorvane
