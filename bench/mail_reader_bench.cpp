// Message reading: every message of a 200 MB mailbox in the line-range layout one after
// the other (as a search reads them), a 1 MB single-part message, and a message with a
// 5 MB base64 attachment read with the length limit off.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "mail/mail_reader.h"
#include "mail_corpus.h"
#include "support/memory_file_system.h"

namespace {

using lorvane::TMail;
using lorvane::TMailReader;
using lorvane::testing::MemoryFileSystem;

struct Mailbox {
  std::string bytes;
  std::vector<TMail> mails;
};

// Messages separated by "From " lines, as EUDORA-style mailboxes are.
const Mailbox& BigMailbox() {
  static const Mailbox box = [] {
    Mailbox b;
    const std::string corpus = lorvane::bench::MakeMailCorpus(200 << 20, 7);
    int line = 0;
    int first = 0;
    size_t start = 0;
    while (start < corpus.size()) {
      size_t end = corpus.find("\r\n", start);
      if (end == std::string::npos) end = corpus.size();
      const std::string_view l(corpus.data() + start, end - start);
      if (l.substr(0, 5) == "From:" && line > 0) {
        b.bytes += "From ???@??? Mon Dec  7 10:00:00 2026\r\n";
        b.mails.push_back({"C:\\Mail\\In.mbx", first, line});
        ++line;
        first = line;
      }
      b.bytes.append(l);
      b.bytes += "\r\n";
      ++line;
      start = end + 2;
    }
    return b;
  }();
  return box;
}

void BM_ReadEveryMessageOf200MB(benchmark::State& state) {
  const Mailbox& box = BigMailbox();
  MemoryFileSystem fs;
  fs.AddFile("C:\\Mail\\In.mbx", box.bytes);
  for (auto _ : state) {
    TMailReader reader(fs, [] { return true; });  // an empty cache: the file is read once
    size_t total = 0;
    for (const TMail& m : box.mails) total += reader.GetText(m).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(box.bytes.size()));
  state.counters["messages"] = static_cast<double>(box.mails.size());
}
BENCHMARK(BM_ReadEveryMessageOf200MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same after another mailbox as large: the cache's buffer is reused, as from the second
// mailbox of a search on.
void BM_ReadEveryMessageOf200MBWarmBuffer(benchmark::State& state) {
  const Mailbox& box = BigMailbox();
  MemoryFileSystem fs;
  fs.AddFile("C:\\Mail\\In.mbx", box.bytes);
  fs.AddFile("C:\\Mail\\Other.mbx", box.bytes);
  TMailReader reader(fs, [] { return true; });
  bool other = false;
  for (auto _ : state) {
    state.PauseTiming();
    reader.ReadMailText(other ? "C:\\Mail\\In.mbx" : "C:\\Mail\\Other.mbx", 0, 0, false);
    state.ResumeTiming();
    size_t total = 0;
    for (const TMail& m : box.mails) {
      total += reader
                   .ReadMailText(other ? "C:\\Mail\\Other.mbx" : "C:\\Mail\\In.mbx", m.First,
                                 m.Last, false)
                   .size();
    }
    other = !other;
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(box.bytes.size()));
}
BENCHMARK(BM_ReadEveryMessageOf200MBWarmBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OneMegabyteSinglePart(benchmark::State& state) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\m.eml", "Subject: big\r\n\r\n" + lorvane::bench::MakeMailCorpus(1 << 20));
  TMailReader reader(fs, [] { return true; });
  for (auto _ : state) benchmark::DoNotOptimize(reader.ReadMailText("C:\\m.eml", 0, -1, false));
}
BENCHMARK(BM_OneMegabyteSinglePart)->Unit(benchmark::kMillisecond);

void BM_FiveMegabyteAttachmentNoLimit(benchmark::State& state) {
  std::string mail =
      "Subject: pic\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
      "Content-Type: text/plain\r\n\r\nsee attached\r\n--b\r\n"
      "Content-Type: image/jpeg; name=a.jpg\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  while (mail.size() < (5u << 20)) {
    mail += "/9j/4AAQSkZJRgABAQEASABIAAD/2wBDAAMCAgMCAgMDAwMEAwMEBQgFBQQEBQoHBwYIDAoMDAsKCwsN\r\n";
  }
  mail += "--b--\r\n";
  MemoryFileSystem fs;
  fs.AddFile("C:\\a.eml", mail);
  TMailReader reader(fs, [] { return false; });
  for (auto _ : state) benchmark::DoNotOptimize(reader.ReadMailText("C:\\a.eml", 0, -1, false));
}
BENCHMARK(BM_FiveMegabyteAttachmentNoLimit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
