// The main window: its creation in the designed order, the layout and resize rules, the
// search commands with their live progress, and closing. Menus are built in
// main_window_menus.cpp; the folder tree and result pane draw through their own models.
// Tested by tests/ui/main_window_test.cpp.

#include "ui/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/exception.h"
#include "common/messages.h"
#include "mail/folder_checks.h"
#include "mail/mailer_catalogue.h"
#include "persist/ini_file.h"
#include "persist/settings_keys.h"
#include "search/search_settings.h"
#include "platform/platform.h"
#include "ui/dir_list_form.h"
#include "ui/folder_tree_view.h"
#include "ui/icons.h"
#include "ui/keyword_check_view.h"
#include "ui/qt_text.h"
#include "ui/qt_user_dialogs.h"
#include "ui/result_view.h"
#include "ui/window_settings.h"

namespace lorvane::ui {

// spProgress: the aqua bar, as wide as the progress.
class TProgressBar : public QWidget {
 public:
  explicit TProgressBar(QWidget* parent) : QWidget(parent) { setObjectName("spProgress"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 255, 255));
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

namespace {

// The design's geometry at scale 1.
constexpr QRect kDesignGeometry(30, 37, 729, 462);
constexpr int kDesignFontSize = 13;  // points: the design's height of -17 pixels
constexpr int kButtonPanelHeight = 51;
constexpr int kProgressPanelHeight = 25;
constexpr int kDesignTreeWidth = 185;
constexpr int kSplitterWidth = 6;
// How often the counters and the progress are redrawn, and pending events handled, during a
// search: often enough to stay live, rarely enough not to slow the search.
constexpr auto kPumpInterval = std::chrono::milliseconds(15);

constexpr const char* kHintListApplication = "ダブルクリックするとメールをアプリケーションで開きます";
constexpr const char* kHintListViewer = "ダブルクリックするとメールを内蔵ビューアで開きます";

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A widget that only holds others, named as designed.
QWidget* Panel(const char* name, QWidget* parent = nullptr) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  return w;
}

// Hints become tooltips (shown while "Show Hint" is on) and accessible descriptions.
void SetHint(QWidget* w, const QString& hint) {
  w->setProperty("lorvaneHint", hint);
  w->setAccessibleDescription(hint);
}

}  // namespace

MainWindow::MainWindow(TMainContext context, QWidget* parent)
    : QMainWindow(parent),
      platform_(context.platform),
      ini_(context.ini),
      reader_(context.reader),
      dialogs_(std::make_unique<TQtUserDialogs>(context.platform.fs, this)),
      stores_(context.platform, context.ini, *dialogs_),
      driver_(stores_, reader_, ini_, results_, undo_, *this),
      view_(context.ini) {
  setObjectName("BaseForm");
  setWindowTitle(QStringLiteral("Lorvane"));
  setWindowIcon(ProgramIcon());

  // 1. The settings file. One that exists but cannot be read is reported, and not written
  // over at the end, so nothing in it is lost.
  std::string error;
  settings_loaded_ = ini_.Load(&error);

  BuildLayout();
  BuildMenus();

  // 4. Placement, then the layout once.
  setGeometry(kDesignGeometry);
  stored_state_ = ReadWindowPlacement(ini_, kBaseFormSection, this);
  // 6, 7. Pane and column widths.
  splitter_->setSizes({view_.TreeWidth(kDesignTreeWidth), 1000});
  // 8, 12. The window's font, in the keyword-check box too.
  QFont font = ReadWindowFont(ini_, kBaseFormSection, kDesignFontSize);
  centralWidget()->setFont(font);
  for (int c = 0; c < kResultColumns - 1; ++c) {
    header_control_->resizeSection(c, view_.ColumnWidth(c, DefaultColumnWidth(c, font)));
  }

  // 14 to 18: view settings, method, option boxes, double-click, sort key.
  ApplyViewSettings();
  const TSearchSettings settings = TSearchSettings::Load(ini_);
  method_items_[settings.method]->setChecked(true);
  driver_.Query().SetMethod(settings.method);
  regexp_->setChecked(settings.regexp);
  powerful_->setChecked(settings.powerful);
  header_->setChecked(settings.scope.header);
  body_->setChecked(settings.scope.body);
  driver_.SetScope(settings.scope);
  length_limit_->setChecked(settings.length_limit);
  limit_32kb_->setChecked(view_.Limit32KB());
  ApplyDoubleClick();

  // 9, 11. The keyword history; its newest entry is the keyword.
  driver_.Query().SetPatternRichEdit(keyword_check_);
  driver_.Start(regexp_->isChecked(), powerful_->isChecked());
  for (const std::string& entry : driver_.History().Entries()) keyword_->addItem(FromCore(entry));
  if (keyword_->count() > 0) keyword_->setCurrentIndex(0);

  // 20. The folder tree.
  RebuildTreeView();

  // 22. The layout again.
  ResizeLayout();
  keyword_->setFocus();
  qApp->installEventFilter(this);

  if (!settings_loaded_) {
    QTimer::singleShot(0, this, [this, error] { ShowWarning(this, error, std::string(Text(msg::kErrorCaption))); });
  }
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
}

void MainWindow::BuildLayout() {
  auto* client = Panel("BaseFormClient");
  setCentralWidget(client);
  auto* outer = new QVBoxLayout(client);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  label1_ = new QLabel(U("キーワード"));
  label1_->setObjectName("Label1");
  keyword_ = new QComboBox;
  keyword_->setObjectName("cbKeyword");
  keyword_->setEditable(true);
  keyword_->setInsertPolicy(QComboBox::NoInsert);
  keyword_->setMaxCount(20);
  keyword_->lineEdit()->installEventFilter(this);
  label1_->setBuddy(keyword_);
  keyword_->setAccessibleName(U("キーワード"));
  SetHint(keyword_, U("キーワードをここに書き込んでください"));
  connect(keyword_, &QComboBox::editTextChanged, this, [this] { UpdateKeywordState(); });
  outer->addWidget(label1_);
  outer->addWidget(keyword_);

  auto* panel2 = Panel("Panel2");
  outer->addWidget(panel2, 1);
  auto* panel2_layout = new QVBoxLayout(panel2);
  panel2_layout->setContentsMargins(0, 0, 0, 0);
  panel2_layout->setSpacing(0);

  keyword_check_panel_ = Panel("KeywordCheckPanel");
  keyword_check_ = new TKeywordCheckView(keyword_check_panel_);
  keyword_check_->setAccessibleName(U("キーワードチェック"));
  SetHint(keyword_check_, U("ここを見るとキーワードがどのように解釈されているかがわかります"));
  auto* check_layout = new QVBoxLayout(keyword_check_panel_);
  check_layout->setContentsMargins(0, 0, 0, 0);
  check_layout->addWidget(keyword_check_);
  panel2_layout->addWidget(keyword_check_panel_);

  auto* panel1 = Panel("Panel1");
  panel2_layout->addWidget(panel1, 1);
  auto* panel1_layout = new QVBoxLayout(panel1);
  panel1_layout->setContentsMargins(0, 0, 0, 0);
  panel1_layout->setSpacing(0);

  // The button row keeps the design's positions.
  button_panel_ = Panel("ButtonPanel");
  button_panel_->setFixedHeight(kButtonPanelHeight);
  panel1_layout->addWidget(button_panel_);
  panel4_ = Panel("Panel4", button_panel_);
  panel4_->setGeometry(0, 0, 108, kButtonPanelHeight);
  regexp_ = new QCheckBox(U("正規表現"), panel4_);
  regexp_->setObjectName("cbRegExp");
  SetHint(regexp_, U("正規表現を使うときにチェックを付けてください"));
  powerful_ = new QCheckBox(U("強力"), panel4_);
  powerful_->setObjectName("cbPowerful");
  SetHint(powerful_, U("強力に検索するときにチェックを付けてください"));
  panel3_ = Panel("Panel3", button_panel_);
  panel3_->setGeometry(108, 0, 81, kButtonPanelHeight);
  header_ = new QCheckBox(U("ヘッダ"), panel3_);
  header_->setObjectName("cbHeader");
  SetHint(header_, U("ヘッダを検索範囲にするときにチェックを付けてください"));
  body_ = new QCheckBox(U("本文"), panel3_);
  body_->setObjectName("cbBody");
  SetHint(body_, U("本文を検索範囲にするときにチェックを付けてください"));
  count_panel_ = Panel("CountPanel", button_panel_);
  count_panel_->setGeometry(189, 0, 123, kButtonPanelHeight);
  auto counter = [this](const char* panel_name, const char* caption, const char* label_name,
                        const char* hint, QLabel** label) {
    auto* panel = new QFrame(count_panel_);
    panel->setObjectName(panel_name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 0, 4, 0);
    auto* caption_label = new QLabel(U(caption), panel);
    *label = new QLabel(QStringLiteral("0 "), panel);
    (*label)->setObjectName(label_name);
    (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*label)->setAccessibleName(QString(U(caption)).trimmed());
    layout->addWidget(caption_label);
    layout->addWidget(*label, 1);
    panel->setAccessibleName(QString(U(caption)).trimmed());
    SetHint(panel, U(hint));
    SetHint(*label, U(hint));
    return panel;
  };
  found_panel_ = counter("FoundPanel", " Hit", "lbFound", "検索にヒットしたメールの数です", &found_);
  total_panel_ = counter("TotalPanel", " Total", "lbTotal", "検索対象としたメールの総数です", &total_);
  auto button = [this](const char* name, const char* caption, int x, const char* hint) {
    auto* b = new QPushButton(U(caption), button_panel_);
    b->setObjectName(name);
    b->setGeometry(x, 6, 81, 35);
    b->setEnabled(false);
    b->setAutoDefault(true);
    SetHint(b, U(hint));
    return b;
  };
  search_ = button("btSearch", "検索", 323, "検索を開始します");
  narrow_ = button("btReSearch", "絞り込み", 408, "絞り込み検索を開始します");
  undo_button_ = button("btUndo", "Undo", 493, "ひとつ前の検索結果に戻します");
  cancel_ = button("btCancel", "中断", 578, "検索を中断します");
  connect(search_, &QPushButton::clicked, this, &MainWindow::RunSearch);
  connect(narrow_, &QPushButton::clicked, this, &MainWindow::RunNarrow);
  connect(undo_button_, &QPushButton::clicked, this, &MainWindow::RunUndo);
  connect(cancel_, &QPushButton::clicked, this, &MainWindow::RunCancel);

  connect(regexp_, &QCheckBox::clicked, this, [this](bool on) {
    ChangeSearchSettings([on](TSearchSettings& s) { s.regexp = on; });
    UpdateKeywordState();
  });
  connect(powerful_, &QCheckBox::clicked, this, [this](bool on) {
    ChangeSearchSettings([on](TSearchSettings& s) { s.powerful = on; });
    UpdateKeywordState();
  });
  // At least one of header and body is searched: unticking one ticks the other.
  auto scope_clicked = [this](QCheckBox* clicked, QCheckBox* other) {
    if (!clicked->isChecked()) other->setChecked(true);
    const TSearchScope scope{header_->isChecked(), body_->isChecked()};
    ChangeSearchSettings([scope](TSearchSettings& s) { s.scope = scope; });
    driver_.SetScope(scope);
  };
  connect(header_, &QCheckBox::clicked, this, [=, this] { scope_clicked(header_, body_); });
  connect(body_, &QCheckBox::clicked, this, [=, this] { scope_clicked(body_, header_); });

  auto* panel5 = Panel("Panel5");
  panel1_layout->addWidget(panel5, 1);
  auto* panel5_layout = new QVBoxLayout(panel5);
  panel5_layout->setContentsMargins(0, 0, 0, 0);
  panel5_layout->setSpacing(0);

  progress_panel_ = Panel("pnProgress");
  progress_panel_->setFixedHeight(kProgressPanelHeight);
  progress_panel_->hide();
  progress_bar_ = new TProgressBar(progress_panel_);
  progress_bar_->setGeometry(0, 1, 0, kProgressPanelHeight - 2);
  progress_label_ = new QLabel(QStringLiteral("  0%  "), progress_panel_);
  progress_label_->setObjectName("lbProgress");
  status_label_ = new QLabel(progress_panel_);
  status_label_->setObjectName("Label3");
  auto* progress_layout = new QHBoxLayout(progress_panel_);
  progress_layout->setContentsMargins(0, 0, 0, 0);
  progress_layout->addWidget(progress_label_);
  progress_layout->addWidget(status_label_, 1);
  panel5_layout->addWidget(progress_panel_);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName("Splitter1");
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  panel5_layout->addWidget(splitter_, 1);

  tree_panel_ = Panel("Panel6");
  auto* tree_layout = new QVBoxLayout(tree_panel_);
  tree_layout->setContentsMargins(0, 0, 0, 0);
  tree_layout->setSpacing(0);
  alias_ = new QComboBox;
  alias_->setObjectName("AliasCombo");
  alias_->addItem(U("新しい設定"));
  alias_->setCurrentIndex(-1);
  alias_->setAccessibleName(U("エイリアス"));
  SetHint(alias_, U("フォルダ選択の設定をエイリアスで呼び出すことができます"));
  tree_view_ = new TFolderTreeView;
  tree_model_ = new TFolderTreeModel(stores_.Tree(), this);
  tree_view_->setModel(tree_model_);
  tree_view_->setAccessibleName(U("フォルダーツリー"));
  SetHint(tree_view_, U("右ボタンクリックでメニューが出ます"));
  tree_layout->addWidget(alias_);
  tree_layout->addWidget(tree_view_, 1);
  splitter_->addWidget(tree_panel_);
  connect(tree_view_, &TFolderTreeView::StateIconClicked, this, &MainWindow::OnStateIconClicked);
  connect(tree_view_, &TFolderTreeView::TreeClicked, this, &MainWindow::ClearAliasSelection);
  connect(tree_view_, &TFolderTreeView::ContextMenuWanted, this, &MainWindow::OnTreeContextMenu);
  auto expansion = [this](const QModelIndex& index, bool expanded) {
    if (expanding_) return;
    if (TFolder* folder = TFolderTreeModel::FolderOf(index)) folder->SetExpanded(expanded);
    ClearAliasSelection();
  };
  connect(tree_view_, &QTreeView::expanded, this, [=](const QModelIndex& i) { expansion(i, true); });
  connect(tree_view_, &QTreeView::collapsed, this, [=](const QModelIndex& i) { expansion(i, false); });

  main_panel_ = Panel("MainPanel");
  auto* main_layout = new QVBoxLayout(main_panel_);
  main_layout->setContentsMargins(0, 0, 0, 0);
  list_ = new QTreeView;
  list_->setObjectName("ListBox1");
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setAccessibleName(U("検索結果"));
  header_control_ = new TResultHeader([this] { return driver_.SortKey(); }, list_);
  SetHint(header_control_, U("クリックした項目でソートできます"));
  list_->setHeader(header_control_);
  result_model_ = new TResultModel(results_, this);
  list_->setModel(result_model_);
  list_->setItemDelegate(new TResultDelegate(list_));
  header_control_->setSectionsMovable(false);
  header_control_->setSectionsClickable(true);
  header_control_->setStretchLastSection(true);
  for (int c = 0; c < kResultColumns; ++c) header_control_->resizeSection(c, ResultColumn(c).design_width);
  connect(header_control_, &QHeaderView::sectionClicked, this, &MainWindow::OnHeaderClicked);
  connect(header_control_, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (!closing_ && isVisible()) view_.SetColumnWidth(section, size);
    list_->viewport()->update();
  });
  main_layout->addWidget(list_);
  BuildResultMenu();
  splitter_->addWidget(main_panel_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this,
          [this] { view_.SetTreeWidth(tree_panel_->width()); });
}

void MainWindow::ShowAsStarted(TStartShow show) {
  if (show == ssMinimized || (show == ssDefault && stored_state_ == wsMinimized)) {
    showMinimized();
  } else if (show == ssMaximized || (show == ssDefault && stored_state_ == wsMaximized)) {
    showMaximized();
  } else {
    this->show();
  }
  keyword_->setFocus();
}

void MainWindow::ApplyViewSettings() {
  keyword_check_panel_->setVisible(view_.Get(vfKeywordCheck));
  tree_panel_->setVisible(view_.Get(vfFolderTree));
  alias_->setVisible(view_.Get(vfAlias));
  driver_.SetProgressReport(view_.Get(vfProgressReport));
  for (int f = vfKeywordCheck; f <= vfProgressReport; ++f) {
    view_items_[f]->setChecked(view_.Get(static_cast<TViewFlag>(f)));
  }
  ApplyHints();
}

void MainWindow::ApplyDoubleClick() {
  const bool application = view_.DoubleClick() == dcApplication;
  double_click_application_->setChecked(application);
  double_click_view_->setChecked(!application);
  popup_->setDefaultAction(application ? popup_open_ : popup_view_);
  SetHint(list_, U(application ? kHintListApplication : kHintListViewer));
  ApplyHints();
}

void MainWindow::ApplyHints() {
  const bool on = view_.Get(vfShowHint);
  for (QWidget* w : findChildren<QWidget*>()) {
    const QVariant hint = w->property("lorvaneHint");
    if (!hint.isValid()) continue;
    // The list shows its hint only while it holds hits.
    const bool show = on && (w != list_ || results_.Count() > 0) && !Busy();
    w->setToolTip(show ? hint.toString() : QString());
  }
}

void MainWindow::ResizeLayout() {
  // The keyword is handed to the query only when it or an option box changes: a resize
  // must not enable Search on a fresh start's empty box.
  if (!closing_) keyword_check_panel_->setFixedHeight(keyword_->sizeHint().height());
  const int half = kButtonPanelHeight / 2;
  regexp_->setGeometry(4, 0, panel4_->width() - 4, half);
  powerful_->setGeometry(4, half, panel4_->width() - 4, half);
  header_->setGeometry(4, 0, panel3_->width() - 4, half);
  body_->setGeometry(4, half, panel3_->width() - 4, half);
  found_panel_->setGeometry(0, 0, count_panel_->width(), half);
  total_panel_->setGeometry(0, half, count_panel_->width(), kButtonPanelHeight - half);
  progress_bar_->setFixedHeight(progress_panel_->height() - 2);
  UpdateMinimumSize();
}

void MainWindow::UpdateMinimumSize() {
  // Never narrower than the button row, never so low that less than 30 pixels of the
  // result list stay below its header.
  const int width = cancel_->geometry().right() + 1 + 4 + button_panel_->mapTo(this, QPoint()).x();
  const int header_bottom = header_control_->mapTo(this, QPoint(0, header_control_->height())).y();
  const int height = std::max(header_bottom + 30, 0);
  setMinimumSize(width, std::min(height, 2000));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ResizeLayout();
}

void MainWindow::UpdateKeywordState() {
  driver_.KeywordChanged(ToCore(keyword_->currentText()), regexp_->isChecked(),
                         powerful_->isChecked());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Esc anywhere in the window is Cancel (the window previews every key).
    if (key->key() == Qt::Key_Escape && widget && widget->window() == this) {
      RunCancel();
      return true;
    }
    // Enter in the keyword box moves to Search, from where the keyboard can press it.
    if (watched == keyword_->lineEdit() &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      if (search_->isEnabled()) search_->setFocus();
      return true;
    }
    if (watched == list_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      RunDefaultHitAction();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- the search commands -------------------------------------------------------------

void MainWindow::RunCommand(void (TSearchDriver::*command)()) {
  if (Busy()) return;
  last_pump_ = {};  // the first report of a search is shown at once
  QApplication::setOverrideCursor(Qt::BusyCursor);
  ApplyHints();
  std::string error;
  try {
    (driver_.*command)();
  } catch (const std::exception& e) {
    error = e.what();
  }
  ShowProgressNow();
  QApplication::restoreOverrideCursor();
  // The history may have changed: the combo box shows it, newest first.
  const QString text = keyword_->currentText();
  const QSignalBlocker block(keyword_);
  keyword_->clear();
  for (const std::string& entry : driver_.History().Entries()) keyword_->addItem(FromCore(entry));
  keyword_->setCurrentIndex(keyword_->count() > 0 ? 0 : -1);
  keyword_->setEditText(keyword_->count() > 0 ? keyword_->itemText(0) : text);
  ApplyHints();
  if (!error.empty()) ShowWarning(this, error, std::string(Text(msg::kErrorCaption)));
  if (close_pending_) close();
}

void MainWindow::RunSearch() {
  RunCommand(&TSearchDriver::Search);
}

void MainWindow::RunNarrow() {
  RunCommand(&TSearchDriver::Narrow);
}

void MainWindow::RunUndo() {
  if (Busy()) return;
  driver_.Undo();
  ApplyHints();
}

void MainWindow::RunCancel() {
  driver_.Cancel();
}

// --- what the driver reports ----------------------------------------------------------

void MainWindow::ShowProgressPanel(bool visible) {
  if (progress_panel_->isVisible() != visible) progress_panel_->setVisible(visible);
}

void MainWindow::Progress(int done, int total, const std::string& percent) {
  shown_.done = done;
  shown_.total = total;
  shown_.percent = percent;
}

void MainWindow::CurrentFile(const std::string& file_name) {
  shown_.file = file_name;
  if (file_name.empty()) status_label_->clear();
}

void MainWindow::Counters(const std::string& found, const std::string& total) {
  shown_.found = found;
  shown_.messages = total;
  if (!Busy()) ShowProgressNow();
}

void MainWindow::ShowProgressNow() {
  const int width = progress_panel_->width();
  progress_bar_->setFixedWidth(
      shown_.total > 0 ? static_cast<int>(static_cast<long long>(width) * shown_.done / shown_.total) : 0);
  progress_label_->setText(FromCore(shown_.percent));
  status_label_->setText(FromCore(shown_.file));
  found_->setText(FromCore(shown_.found));
  total_->setText(FromCore(shown_.messages));
}

void MainWindow::ResultsChanged() {
  // A refresh during a search keeps the user's place in the list.
  const int top = list_->verticalScrollBar()->value();
  result_model_->Reload();
  list_->verticalScrollBar()->setValue(top);
}

void MainWindow::ButtonsChanged() {
  search_->setEnabled(driver_.CanSearch());
  narrow_->setEnabled(driver_.CanNarrow());
  undo_button_->setEnabled(driver_.CanUndo());
  cancel_->setEnabled(driver_.CanCancel());
  // Nothing that rebuilds the tree may run under a search.
  refresh_->setEnabled(!Busy());
  directory_->setEnabled(!Busy());
  mailer_menu_->setEnabled(!Busy());
  alias_->setEnabled(!Busy());
}

void MainWindow::ProcessPendingEvents() {
  const auto now = std::chrono::steady_clock::now();
  if (now - last_pump_ < kPumpInterval) return;
  last_pump_ = now;
  ShowProgressNow();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindow::ChangeSearchSettings(const std::function<void(TSearchSettings&)>& change) {
  TSearchSettings settings = TSearchSettings::Load(ini_);
  change(settings);
  settings.Save(ini_);
}

// --- the result pane --------------------------------------------------------------------

void MainWindow::OnHeaderClicked(int section) {
  if (section < 0 || section >= kResultColumns) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TSearchSettings::SaveSortKey(ini_, ResultColumn(section).sort_key);
  header_control_->viewport()->update();
  driver_.SortNow();
  result_model_->Resorted();
  QApplication::restoreOverrideCursor();
}

// --- the folder tree --------------------------------------------------------------------

void MainWindow::RebuildTreeView() {
  if (Busy()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tree_view_->setUpdatesEnabled(false);
  tree_model_->BeginRebuild();
  stores_.Rebuild();
  stores_.Tree().SettleLeafStates();
  tree_model_->EndRebuild();
  ExpandAsStored();
  tree_view_->setUpdatesEnabled(true);
  QApplication::restoreOverrideCursor();
}

void MainWindow::ExpandAsStored() {
  expanding_ = true;
  stores_.Tree().ForEachNode([this](TFolder& folder) {
    if (folder.ChildCount() > 0) tree_view_->setExpanded(tree_model_->IndexOf(&folder), folder.Expanded());
  });
  expanding_ = false;
}

void MainWindow::OnStateIconClicked(const QModelIndex& index) {
  TFolder* folder = TFolderTreeModel::FolderOf(index);
  if (!folder || Busy()) return;
  const int state = ClickedState(*folder);
  if (state == folder->ShownState()) return;
  ApplyCheckState(*folder, state);
  tree_model_->StatesChanged();
}

void MainWindow::ClearAliasSelection() {
  alias_->setCurrentIndex(-1);
}

void MainWindow::OnTreeContextMenu(const QModelIndex& index, const QPoint& global_position) {
  TFolder* folder = TFolderTreeModel::FolderOf(index);
  if (!folder || Busy()) return;
  const std::vector<TTreeMenuItem> items = TreeContextMenu(*folder);
  if (items.empty()) return;  // a node showing 5 or 6
  QMenu menu(this);
  menu.setObjectName(folder->Parent() == nullptr ? "PopupMenu2" : "PopupMenu3");
  std::vector<std::pair<QAction*, TTreeMenuItem>> actions;
  for (const TTreeMenuItem& item : items) {
    QAction* action = item.IsSeparator() ? menu.addSeparator() : menu.addAction(FromCore(item.caption));
    action->setObjectName(QString::fromStdString(item.name));
    action->setVisible(item.visible);
    if (!item.IsSeparator()) {
      action->setCheckable(true);
      action->setChecked(item.checked);
    }
    actions.emplace_back(action, item);
  }
  QAction* chosen = menu.exec(global_position);
  for (const auto& [action, item] : actions) {
    if (action == chosen && !Busy()) {
      RunTreeMenuItem(*folder, item);
      tree_model_->StatesChanged();
    }
  }
}

void MainWindow::OnMailerItem(int kind, bool shown) {
  if (Busy()) return;
  if (shown) {
    ini_.WriteBool(std::string(keys::kMailers) + "\\" + MailerKey(kind), keys::kHidden, true);
    RebuildTreeView();
  } else if (stores_.DetectMailer(kind, false)) {
    RebuildTreeView();
  }
}

void MainWindow::OnDirectory() {
  if (Busy()) return;
  bool ok;
  if (run_directory_dialog_) {
    ok = run_directory_dialog_();
  } else {
    TDirListForm form(platform_.fs, ini_, this);
    ok = form.exec() == QDialog::Accepted;
  }
  if (ok) RebuildTreeView();
}

// --- closing ----------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
  if (Busy()) {
    // The search runs inside a handler further down the stack: stop it, and close once it
    // has finished (RunCommand closes the window again).
    driver_.Cancel();
    close_pending_ = true;
    event->ignore();
    return;
  }
  closing_ = true;
  hide();
  WriteWindowPlacement(ini_, kBaseFormSection, this);
  event->accept();
}

}  // namespace lorvane::ui
