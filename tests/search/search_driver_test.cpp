// The search driver through a recording observer: Search, Narrow, Undo, history, scope,
// progress, partial refresh, cancel, errors that end a search, and loading a result file.

#include "search/search_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mail/mail_reader.h"
#include "mail/mail_stores.h"
#include "persist/ini_file.h"
#include "support/memory_platform.h"

namespace lorvane {
namespace {

using testing::TMemoryPlatform;

class RecordingObserver : public ISearchObserver {
 public:
  void ShowProgressPanel(bool visible) override { panel = visible; }
  void Progress(int, int, const std::string& percent) override { percents.push_back(percent); }
  void CurrentFile(const std::string& file) override { files.push_back(file); }
  void Counters(const std::string& f, const std::string& t) override {
    found = f;
    total = t;
  }
  void ResultsChanged() override { ++reloads; }
  void ButtonsChanged() override {}
  void ProcessPendingEvents() override {
    ++pumps;
    if (on_pump) on_pump(pumps);
  }

  bool panel = false;
  std::vector<std::string> percents;
  std::vector<std::string> files;
  std::string found;
  std::string total;
  int reloads = 0;
  int pumps = 0;
  std::function<void(int)> on_pump;
};

std::string Mail(const std::string& subject, const std::string& from, const std::string& date,
                 const std::string& body) {
  return "Subject: " + subject + "\r\nFrom: " + from + "\r\nDate: " + date + "\r\n\r\n" + body +
         "\r\n";
}

class SearchDriverTest : public ::testing::Test {
 protected:
  SearchDriverTest() {
    p_.fs.AddFile("C:\\Mail\\a.txt", Mail("会議のお知らせ", "\"鈴木\" <s@x.jp>",
                                          "Tue, 5 Dec 2006 12:34:56 +0900", "本文に検索の語"));
    p_.fs.AddFile("C:\\Mail\\b.txt",
                  Mail("Re: 検索", "taro@x.jp", "Mon, 7 Dec 2026 10:00:00 +0900", "no keyword"));
    p_.fs.AddFile("C:\\Mail\\Sub\\c.txt", "From: z@x.jp\r\n\r\n検索 only in the body\r\n");
    ini_.WriteInteger("Directory", "Number", 1);
    ini_.WriteString("Directory\\Dir1", "Path", "C:\\Mail\\");
    ini_.WriteBool("Directory\\Dir1", "Recursive", true);
    stores_.Rebuild();
    driver_.SetProgressReport(true);
  }

  std::vector<std::string> Column(TMailField f) const { return results_.Column(f); }
  void Search(const std::string& keywords) {
    driver_.KeywordChanged(keywords, false, false);
    driver_.Search();
  }
  void Narrow(const std::string& keywords) {
    driver_.KeywordChanged(keywords, false, false);
    driver_.Narrow();
  }

  TMemoryPlatform p_;
  TIniFile ini_;
  TNoDialogs dialogs_;
  TMailStores stores_{p_.platform, ini_, dialogs_};
  TMailReader reader_{p_.fs, [] { return true; }};
  TResultList results_;
  TResultList undo_;
  RecordingObserver observer_;
  TSearchDriver driver_{stores_, reader_, ini_, results_, undo_, observer_};
};

TEST_F(SearchDriverTest, SearchFillsTheResultList) {
  driver_.KeywordChanged("検索", false, false);
  EXPECT_TRUE(driver_.CanSearch());
  driver_.Search();
  ASSERT_EQ(results_.Count(), 3);
  // Sorted by "Soft", then Folder, Date, Time.
  EXPECT_EQ(Column(mfFileName), (std::vector<std::string>{"C:\\Mail\\a.txt", "C:\\Mail\\b.txt",
                                                          "C:\\Mail\\Sub\\c.txt"}));
  EXPECT_EQ(results_.Row(0), (TMailRecord{"Directory", "Mail (C:\\Mail)", "2006-12-05", "12:34:56",
                                          "鈴木", "会議のお知らせ", "C:\\Mail\\a.txt", "0", "-1"}));
  EXPECT_EQ(results_.Field(2, mfFolder), "Sub (C:\\Mail\\Sub)");
  EXPECT_EQ(results_.Field(2, mfSubject), "c.txt");  // no Subject: the file name
  EXPECT_EQ(results_.Field(2, mfSender), "z");
  EXPECT_EQ(observer_.found, "3 ");
  EXPECT_EQ(observer_.total, "3 ");
  EXPECT_EQ(observer_.percents.back(), "100%  ");  // (2 + 1) * 100 / 3 for the last one
  EXPECT_FALSE(observer_.panel);
  EXPECT_EQ(observer_.files.back(), "");
  EXPECT_TRUE(driver_.CanSearch());
  EXPECT_FALSE(driver_.CanNarrow());
  EXPECT_FALSE(driver_.CanUndo());  // the snapshot of the first search is empty
  EXPECT_FALSE(driver_.CanCancel());
}

TEST_F(SearchDriverTest, ScopeCutsTheText) {
  driver_.SetScope({.header = true, .body = false});
  Search("検索");
  EXPECT_EQ(Column(mfFileName), (std::vector<std::string>{"C:\\Mail\\b.txt"}));
  driver_.SetScope({.header = false, .body = true});
  Search("検索");
  EXPECT_EQ(Column(mfFileName),
            (std::vector<std::string>{"C:\\Mail\\a.txt", "C:\\Mail\\Sub\\c.txt"}));
  // Narrowing honours the scope too.
  driver_.SetScope({.header = true, .body = false});
  Narrow("検索");
  EXPECT_EQ(results_.Count(), 0);
}

TEST_F(SearchDriverTest, NarrowKeepsRecordsAndUndoBringsThemBack) {
  Search("検索");
  const TResultList before = results_;
  driver_.KeywordChanged("会議", false, false);
  EXPECT_TRUE(driver_.CanNarrow());
  driver_.Narrow();
  ASSERT_EQ(results_.Count(), 1);
  EXPECT_EQ(results_.Row(0), before.Row(0));
  EXPECT_TRUE(driver_.CanUndo());
  driver_.Undo();
  EXPECT_EQ(Column(mfFileName), before.Column(mfFileName));
  EXPECT_EQ(observer_.found, "3 ");
  EXPECT_EQ(observer_.total, "");
  EXPECT_FALSE(driver_.CanUndo());
  EXPECT_TRUE(driver_.CanNarrow());
  // Narrow is off for the keyword of the last search, and for an empty list.
  driver_.KeywordChanged("会議", false, false);
  EXPECT_FALSE(driver_.CanNarrow());
}

TEST_F(SearchDriverTest, HistoryKeepsTwentyDistinctEntries) {
  Search("検索");
  Search("  検索 ");
  EXPECT_EQ(driver_.History().Entries(), (std::vector<std::string>{"  検索 "}));
  for (int i = 0; i < 25; ++i) Search("k" + std::to_string(i));
  EXPECT_EQ(driver_.History().Entries().size(), 20u);
  EXPECT_EQ(driver_.History().Newest(), "k24");
  EXPECT_EQ(ini_.ReadString("Keyword", "History[19]", ""), "k5");
  EXPECT_FALSE(ini_.ValueExists("Keyword", "History[20]"));
  TKeywordHistory loaded;
  loaded.Load(ini_);
  EXPECT_EQ(loaded.Entries(), driver_.History().Entries());
}

TEST_F(SearchDriverTest, BlankKeywordSearchesNothingButEntersTheHistory) {
  driver_.KeywordChanged("   ", false, false);
  EXPECT_TRUE(driver_.CanSearch());
  driver_.Search();
  EXPECT_EQ(results_.Count(), 0);
  EXPECT_EQ(driver_.History().Newest(), "   ");
  EXPECT_EQ(observer_.pumps, 0);
}

TEST_F(SearchDriverTest, CancelKeepsTheHitsSoFar) {
  observer_.on_pump = [this](int) {
    if (observer_.files.size() == 2) driver_.Cancel();  // at the second message
  };
  Search("検索");
  EXPECT_EQ(results_.Count(), 1);  // the first message was searched, the second not read
  EXPECT_EQ(observer_.total, "1 ");
  EXPECT_TRUE(driver_.CanSearch());
  observer_.on_pump = nullptr;
  Search("検索");  // the flag is cleared at the next search
  EXPECT_EQ(results_.Count(), 3);
}

TEST_F(SearchDriverTest, CancelDuringTheCountingPassSearchesNothing) {
  observer_.on_pump = [this](int pump) {
    if (pump == 1) driver_.Cancel();  // the first folder has been counted
  };
  Search("検索");
  EXPECT_EQ(results_.Count(), 0);
  EXPECT_TRUE(observer_.files.size() <= 1);
  EXPECT_FALSE(driver_.Running());
}

// What the pending events reach while a search runs: a second command is refused, and
// option and keyword changes wait for the end, so one search keeps one condition.
TEST_F(SearchDriverTest, CommandsAndChangesFromThePumpWaitForTheRunningSearch) {
  Search("検索");
  ASSERT_EQ(results_.Count(), 3);
  bool once = false;
  observer_.on_pump = [&](int) {
    if (once || observer_.files.empty()) return;
    once = true;
    EXPECT_FALSE(driver_.CanSearch());
    driver_.Search();
    driver_.Narrow();
    driver_.Undo();
    driver_.KeywordChanged("[", true, false);  // an error, if it took effect now
    driver_.SetMethod(mtOR);
    driver_.SetScope({true, false});
  };
  Search("会議 検索");
  observer_.on_pump = nullptr;
  EXPECT_EQ(Column(mfFileName), (std::vector<std::string>{"C:\\Mail\\a.txt"}));
  EXPECT_EQ(driver_.History().Newest(), "会議 検索");
  // Afterwards the changes hold: the pattern error disables Search.
  EXPECT_EQ(driver_.Query().SearchPattern(), "[");
  EXPECT_EQ(driver_.Query().Method(), mtOR);
  EXPECT_TRUE(driver_.Query().PatternError());
  EXPECT_FALSE(driver_.CanSearch());
  EXPECT_FALSE(driver_.Scope().body);
  EXPECT_TRUE(driver_.CanUndo());
}

TEST_F(SearchDriverTest, AnUnreadableMessageEndsTheSearchAfterTheFinishingSteps) {
  p_.fs.MakeUnreadable("C:\\Mail\\b.txt");
  EXPECT_THROW(Search("検索"), EMailRead);
  EXPECT_EQ(Column(mfFileName), (std::vector<std::string>{"C:\\Mail\\a.txt"}));
  EXPECT_FALSE(driver_.Running());
  EXPECT_TRUE(driver_.CanSearch());
  EXPECT_FALSE(observer_.panel);
}

TEST_F(SearchDriverTest, DamagedResultRowsEndNarrowingCleanly) {
  Search("検索");
  TResultList damaged;
  TMailRecord row = results_.Row(0);
  row[mfFirst] = "12x";
  damaged.Append(row);
  results_ = damaged;
  EXPECT_THROW(Narrow("検索"), Exception);
  EXPECT_EQ(results_.Count(), 0);
  EXPECT_TRUE(driver_.CanUndo());
}

TEST_F(SearchDriverTest, LoadedResultsReplaceTheHitsAndUndoBringsThemBack) {
  Search("検索");
  const TResultList searched = results_;
  std::string text = "Search Result File / Lorvane\r\n";
  for (const char* soft : {"Zeta", "Alpha"}) {
    for (const std::string& f : TMailRecord{soft, "F", "", "", "", "", "C:\\z", "0", "-1"})
      text += f + "\r\n";
  }
  p_.fs.AddFile("C:\\hits.dat", text);
  std::string error;
  ASSERT_EQ(driver_.LoadResults("C:\\hits.dat", &error), TResultFileStatus::kLoaded);
  EXPECT_EQ(Column(mfSoft), (std::vector<std::string>{"Alpha", "Zeta"}));  // sorted
  EXPECT_EQ(observer_.found + "|" + observer_.total, "2 |");
  EXPECT_TRUE(driver_.CanNarrow());
  EXPECT_TRUE(driver_.CanUndo());
  driver_.Undo();
  EXPECT_EQ(Column(mfFileName), searched.Column(mfFileName));
  // No hits over an empty list: nothing to narrow, nothing to undo.
  p_.fs.AddFile("C:\\none.dat", "Search Result File / Lorvane\r\n");
  results_.Clear();
  ASSERT_EQ(driver_.LoadResults("C:\\none.dat", &error), TResultFileStatus::kLoaded);
  EXPECT_FALSE(driver_.CanNarrow() || driver_.CanUndo());
}

TEST_F(SearchDriverTest, PartialRefreshPointsAndPercentages) {
  for (int done : {10, 20, 90, 100, 200, 3000, 1000000}) {
    EXPECT_TRUE(TSearchDriver::IsRefreshPoint(done)) << done;
  }
  for (int done : {0, 1, 9, 11, 19, 101, 110, 2500}) {
    EXPECT_FALSE(TSearchDriver::IsRefreshPoint(done)) << done;
  }
  EXPECT_EQ(TSearchDriver::PercentText(0, 200), "  0%  ");
  EXPECT_EQ(TSearchDriver::PercentText(199, 200), "100%  ");
  EXPECT_EQ(TSearchDriver::PercentText(9, 100), " 10%  ");
}

TEST_F(SearchDriverTest, PartialRefreshOnlyWhenHitsChanged) {
  for (int i = 0; i < 30; ++i) {
    p_.fs.AddFile("C:\\Mail\\Many\\m" + std::to_string(100 + i) + ".txt",
                  i < 12 ? "Subject: hit\r\n\r\n検索\r\n" : "Subject: no\r\n\r\nx\r\n");
  }
  stores_.Rebuild();
  int reloads_at_10 = -1;
  int reloads_at_20 = -1;
  observer_.on_pump = [&](int) {
    const size_t message = observer_.files.size();  // the counting pass names no file
    if (message == 12) reloads_at_10 = observer_.reloads;  // after message 10 and its check
    if (message == 22) reloads_at_20 = observer_.reloads;
  };
  Search("検索");
  EXPECT_EQ(results_.Count(), 15);
  EXPECT_GE(reloads_at_10, 2);  // the start, then the refresh at 10
  // From 10 to 20 the hits grew (the three others come first), so a refresh at 20; the
  // check at 30 finds no new hit and does not reload.
  EXPECT_GT(reloads_at_20, reloads_at_10);
}

TEST(SearchDriverFieldsTest, FolderFields) {
  std::string soft;
  std::string folder;
  TSearchDriver::FolderFields("X\\Inbox", &soft, &folder);
  EXPECT_EQ(soft, "X");
  EXPECT_EQ(folder, "Inbox");
  TSearchDriver::FolderFields("X\\Inbox\\Sub", &soft, &folder);
  EXPECT_EQ(folder, "Sub (Inbox\\Sub)");
  TSearchDriver::FolderFields("Alone", &soft, &folder);
  EXPECT_EQ(soft, "");
  EXPECT_EQ(folder, "Alone");
  TSearchDriver::FolderFields("ソフト\\表", &soft, &folder);  // trail bytes 0x5C
  EXPECT_EQ(soft, "ソフト");
  EXPECT_EQ(folder, "表");
}

}  // namespace
}  // namespace lorvane
