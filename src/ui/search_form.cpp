// The find and replace dialog: the conditions from the settings into its boxes, and back
// with the histories (newest first, eight kept) when a search button is pressed. Cancel
// stores nothing; every way of closing keeps the button column's width and the placement.
// The search itself is the viewer's (view_form_find.cpp). Tested by
// tests/ui/search_form_test.cpp.

#include "ui/search_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "common/messages.h"
#include "persist/ini_file.h"
#include "persist/search_form_settings.h"
#include "persist/settings_keys.h"
#include "ui/qt_text.h"
#include "ui/window_settings.h"

namespace lorvane::ui {

namespace {

constexpr int kDesignWidth = 507;
constexpr int kDesignHeight = 259;
constexpr int kDesignButtonWidth = 139;

QComboBox* HistoryBox(const char* name, const std::vector<std::string>& history, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxCount(kSearchHistoryLength + 1);
  for (const std::string& entry : history) box->addItem(FromCore(entry));
  box->setCurrentIndex(history.empty() ? -1 : 0);
  return box;
}

QCheckBox* CheckBox(const char* name, const TBilingualText& caption, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(FromCore(Text(caption)), parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

}  // namespace

TSearchForm::TSearchForm(TIniFile& ini, const QString& title, QWidget* owner)
    : QDialog(owner), ini_(ini), find_mode_(IsFindDialogTitle(ToCore(title))) {
  setObjectName("SearchForm");
  setWindowTitle(title);
  const TSearchFormSettings settings = ReadSearchFormSettings(ini_);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName("Splitter1");
  splitter_->setChildrenCollapsible(false);
  custom_panel_ = new QWidget(splitter_);
  custom_panel_->setObjectName("CustomPanel");
  button_panel_ = new QWidget(splitter_);
  button_panel_->setObjectName("ButtonPanel");
  splitter_->addWidget(custom_panel_);
  splitter_->addWidget(button_panel_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);

  label1_ = new QLabel(FromCore(Text(msg::kSearchPatternLabel)), custom_panel_);
  label1_->setObjectName("Label1");
  find_ = HistoryBox("ComboBox1", settings.find_history, custom_panel_);
  label1_->setBuddy(find_);
  label2_ = new QLabel(FromCore(Text(msg::kReplaceStringLabel)), custom_panel_);
  label2_->setObjectName("Label2");
  replace_ = HistoryBox("ComboBox2", settings.replace_history, custom_panel_);
  label2_->setBuddy(replace_);
  regexp_ = CheckBox("CheckBox4", msg::kUseRegularExpression, settings.regexp, custom_panel_);
  powerful_ = CheckBox("CheckBox5", msg::kSearchPowerfully, settings.powerful, custom_panel_);
  message_ = CheckBox("CheckBox1", msg::kShowMessageIfNotFound, settings.message, custom_panel_);
  continuous_ = CheckBox("CheckBox2", msg::kReplaceContinuously, settings.continuous, custom_panel_);
  confirm_ = CheckBox("CheckBox3", msg::kConfirmBeforeReplace, settings.confirm, custom_panel_);
  auto* fields = new QVBoxLayout(custom_panel_);
  for (QWidget* w : std::initializer_list<QWidget*>{label1_, find_, label2_, replace_, regexp_,
                                                     powerful_, message_, continuous_, confirm_}) {
    fields->addWidget(w);
  }
  fields->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{label2_, replace_, continuous_, confirm_}) {
    w->setVisible(!find_mode_);
  }

  const std::string core_title = ToCore(title);
  const struct {
    const char* name;
    QString caption;
    TSearchFormResult result;
  } buttons[] = {
      {"Button1", FromCore(Format(msg::kSearchUpward, {core_title})), sfUpward},
      {"Button2", FromCore(Format(msg::kSearchDownward, {core_title})), sfDownward},
      {"Button3", FromCore(Text(msg::kConfigOnly)), sfConfigOnly},
      {"Button4", FromCore(Text(msg::kCancel)), sfCancel},
  };
  auto* column = new QVBoxLayout(button_panel_);
  for (const auto& b : buttons) {
    auto* button = new QPushButton(b.caption, button_panel_);
    button->setObjectName(b.name);
    button->setAutoDefault(false);
    button->setDefault(b.result == sfConfigOnly);
    const TSearchFormResult result = b.result;
    connect(button, &QPushButton::clicked, this, [this, result] { Finish(result); });
    column->addWidget(button);
  }
  column->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);

  resize(kDesignWidth, kDesignHeight);
  ReadWindowPlacement(ini_, keys::kSearchForm, this);
  const int button_width = ReadSearchButtonWidth(ini_, kDesignButtonWidth);
  splitter_->setSizes({std::max(1, width() - button_width), button_width});
  find_->setFocus();
}

TSearchFormResult TSearchForm::Run() {
  exec();
  return result_;
}

void TSearchForm::Finish(TSearchFormResult result) {
  result_ = result;
  if (result != sfCancel) {
    KeepLayout();  // so the one write below holds it too
    Store();
  }
  done(result == sfCancel ? QDialog::Rejected : QDialog::Accepted);
}

void TSearchForm::Store() {
  TSearchFormSettings settings = ReadSearchFormSettings(ini_);
  PutFirstInHistory(&settings.find_history, ToCore(find_->currentText()));
  PutFirstInHistory(&settings.replace_history, ToCore(replace_->currentText()));
  settings.method = find_mode_ ? kMethodFind : kMethodReplace;
  settings.message = message_->isChecked();
  settings.continuous = continuous_->isChecked();
  settings.confirm = confirm_->isChecked();
  settings.regexp = regexp_->isChecked();
  settings.powerful = powerful_->isChecked();
  WriteSearchFormSettings(ini_, settings);
  UpdateSettingsFile(ini_, this);
}

void TSearchForm::KeepLayout() {
  WriteSearchButtonWidth(ini_, button_panel_->width());
  WriteWindowPlacement(ini_, keys::kSearchForm, this);
}

void TSearchForm::done(int code) {
  KeepLayout();
  QDialog::done(code);
}

}  // namespace lorvane::ui
