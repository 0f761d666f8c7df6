// Mail enumeration over mailboxes of 500 MB holding 100,000 messages, on disk through the
// platform layer as a search meets them: EUDORA's separator lines, Becky!'s "." lines and
// Becky!2's index of byte ranges. Each iteration lists the whole folder once.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "mail/mail_stores.h"
#include "support/mail_fixture.h"
#include "support/scratch_dir.h"
#include "support/stores_harness.h"

namespace {

using lorvane::ScratchDir;
using lorvane::TFolder;
using lorvane::TRegRoot;
using lorvane::testing::TMailFixture;
using lorvane::testing::TStoresHarness;

constexpr int kMessages = 100000;
constexpr size_t kMessageBytes = (500u << 20) / kMessages;

// A message of about kMessageBytes: headers and a body of Japanese and English lines.
std::string Message(int i) {
  static const char* kLines[] = {
      "お世話になっております。来週の打ち合わせの件でご連絡いたします。",
      "The quarterly report is attached; please review the figures by Friday.",
      "ソフトウェアの表示に関する不具合は、修正版で解消される予定です。",
      "Meeting room 3 is booked from 10:00 to 11:30 on Tuesday.",
      "ご不明な点がございましたら、お気軽にお問い合わせください。",
  };
  const std::string n = std::to_string(i);
  std::string m = "From: 山田 太郎 <taro" + n + "@example.jp>\r\nTo: hanako@example.jp\r\n" +
                  "Subject: 打ち合わせの件 No." + n +
                  "\r\nDate: Mon, 7 Dec 2026 10:15:30 +0900\r\nMessage-ID: <" + n +
                  "@example.jp>\r\n\r\n";
  for (int k = i; m.size() < kMessageBytes; ++k) m += std::string(kLines[k % 5]) + "\r\n";
  return m;
}

// One store per kind, written once for the whole run and removed at exit.
struct Store {
  // `build` writes the store and returns the size of the file that enumeration reads.
  explicit Store(size_t (*build)(TMailFixture&))
      : fixture(scratch.Path("prefix")), bytes(build(fixture)) {}

  ScratchDir scratch;
  TMailFixture fixture;
  size_t bytes;
  std::unique_ptr<TStoresHarness> harness;
  TFolder* folder = nullptr;

  void Open(const std::string& full_caption) {
    harness = std::make_unique<TStoresHarness>(fixture);
    harness->stores.Rebuild();
    folder = harness->stores.Tree().FindByFullCaption(full_caption);
  }
};

size_t BuildEudora(TMailFixture& f) {
  f.SetString(TRegRoot::kCurrentUser, "Software\\Qualcomm\\Eudora\\CommandLine", "Current",
              "C:\\E\\Eudora.exe C:\\E\\Mail C:\\E\\Mail\\Eudora.ini");
  f.WriteFile("C:\\E\\Mail\\descmap.pce", "In,In.mbx,S,N\r\n");
  std::string box;
  for (int i = 0; i < kMessages; ++i) {
    box += "From ???@??? Mon Dec 07 10:15:30 2026\r\n";
    box += Message(i);
  }
  f.WriteFile("C:\\E\\Mail\\In.mbx", box);
  return box.size();
}

size_t BuildBecky(TMailFixture& f) {
  f.SetString(TRegRoot::kCurrentUser, "Software\\RIMArts\\Rebecca\\Settings", "HomeDir", "C:\\B\\");
  f.SetString(TRegRoot::kCurrentUser, "Software\\RIMArts\\Rebecca\\Users\\0", "Address",
              "taro@example.jp");
  f.WriteFile("C:\\B\\User0\\InBox.ctl", "");
  std::string box;
  for (int i = 0; i < kMessages; ++i) box += Message(i) + ".\r\n";
  f.WriteFile("C:\\B\\User0\\InBox.mbx", box);
  return box.size();
}

size_t BuildBecky2(TMailFixture& f) {
  f.SetString(TRegRoot::kCurrentUser, "Software\\RIMArts\\B2\\Settings", "DataDir", "C:\\B2\\");
  f.WriteFile("C:\\B2\\a.mb\\Mailbox.ini", "");
  f.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\Folder.ini", "");
  std::string bmf;
  std::string idx = "header\r\n";
  char fields[160];
  for (int i = 0; i < kMessages; ++i) {
    const std::string m = Message(i);
    std::snprintf(fields, sizeof fields,
                  "%08x\x01%zx\x01m.bmf\x01%x\x01"
                  "0\x01taro@example.jp\x01subject\x01"
                  "hanako@example.jp\x01<%d@example.jp>\x01\x01"
                  "3\x01"
                  "0\x01%zx\x01\r\n",
                  i, bmf.size(), 1764892800 + i, i, m.size());
    idx += fields;
    bmf += m;
  }
  f.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\Folder.idx", idx);
  f.WriteFile("C:\\B2\\a.mb\\!!!!Inbox\\m.bmf", bmf);
  return idx.size();
}

Store& EudoraStore() {
  static Store s(BuildEudora);
  return s;
}
Store& BeckyStore() {
  static Store s(BuildBecky);
  return s;
}
Store& Becky2Store() {
  static Store s(BuildBecky2);
  return s;
}

void Enumerate(benchmark::State& state, Store& store, const std::string& full_caption) {
  store.Open(full_caption);
  int count = 0;
  for (auto _ : state) {
    store.harness->stores.EnumerateMails(*store.folder);
    count = store.folder->MailCount();
    store.folder->ClearMails();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(store.bytes));
  state.counters["messages"] = count;
}

void BM_EudoraMailboxOf500MB(benchmark::State& state) {
  Enumerate(state, EudoraStore(), "EUDORA\\In");
}
BENCHMARK(BM_EudoraMailboxOf500MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BeckyMailboxOf500MB(benchmark::State& state) {
  Enumerate(state, BeckyStore(), "Becky!\\taro@example.jp\\受信箱");
}
BENCHMARK(BM_BeckyMailboxOf500MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// Only the index is read; the mailbox is not opened.
void BM_Becky2IndexOf100000Messages(benchmark::State& state) {
  Enumerate(state, Becky2Store(), "Becky!2\\a\\受信箱");
}
BENCHMARK(BM_Becky2IndexOf100000Messages)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
