// Sorting a result list of 100,000 hits by each key, as a header click does: the rows are
// made like a search's (programs, folders, dates, senders and subjects repeating in
// realistic proportions, Japanese text in CP932), then sorted from the search's order.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "search/result_list.h"

namespace {

constexpr int kHits = 100000;

const lorvane::TResultList& Hits() {
  static const lorvane::TResultList hits = [] {
    const char* programs[] = {"Becky!2", "Datula", "EdMax", "Directory", "Winbiff", "sesna"};
    const char* folders[] = {"受信箱 (山田)", "送信済", "仕事 (C:\\Mail\\仕事)", "ごみ箱", "友人"};
    const char* senders[] = {"山田 太郎", "鈴木 花子", "build@example.com", "高橋 次郎", "部長"};
    const char* subjects[] = {"会議のお知らせ", "Re: 見積書の件", "Release notes", "ソフト表示"};
    std::mt19937 rng(7);
    lorvane::TResultList list;
    for (int i = 0; i < kHits; ++i) {
      const int day = static_cast<int>(rng() % 3650);
      char date[16];
      char time[16];
      std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2000 + day / 365, 1 + day % 12,
                    1 + day % 28);
      std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(rng() % 24),
                    static_cast<int>(rng() % 60), static_cast<int>(rng() % 60));
      list.Append({programs[rng() % 6], folders[rng() % 5], date, time,
                   senders[rng() % 5] + std::to_string(rng() % 50),
                   subjects[rng() % 4] + std::to_string(i % 977),
                   "C:\\Mail\\" + std::to_string(i) + ".eml", "0", "-1"});
    }
    return list;
  }();
  return hits;
}

void BM_Sort100kHits(benchmark::State& state, const char* key) {
  for (auto _ : state) {
    state.PauseTiming();
    lorvane::TResultList list = Hits();
    state.ResumeTiming();
    lorvane::SortResults(list, key);
    benchmark::DoNotOptimize(list);
  }
}

BENCHMARK_CAPTURE(BM_Sort100kHits, Soft, "Soft")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort100kHits, Folder, "Folder")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort100kHits, Date, "Date")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort100kHits, From, "From")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort100kHits, Subject, "Subject")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
