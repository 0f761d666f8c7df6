// Highlighting a message as the viewer opens it: a 32 KB text of mixed English and
// Japanese, with plain, powerful and regular-expression keywords, some of them frequent.
// The viewer's budget is 20 ms per message.

#include <benchmark/benchmark.h>

#include <string>

#include "mail_corpus.h"
#include "search/highlight.h"

namespace {

const std::string& Message() {
  static const std::string text = lorvane::bench::MakeMailCorpus(32 * 1024, 3).substr(0, 32768);
  return text;
}

void Highlight(benchmark::State& state, const char* pattern, bool regexp, bool powerful) {
  lorvane::TRSearch query;
  query.SetMethod(lorvane::mtOR);
  query.SetCondition(pattern, regexp, powerful);
  size_t spans = 0;
  for (auto _ : state) {
    spans = lorvane::HighlightSpans(query, Message()).size();
    benchmark::DoNotOptimize(spans);
  }
  state.counters["spans"] = static_cast<double>(spans);
}

void BM_PlainTwoWords(benchmark::State& s) { Highlight(s, "the server", false, false); }
void BM_PowerfulJapanese(benchmark::State& s) { Highlight(s, "サーバ 会議 メール", false, true); }
void BM_PowerfulFrequentLetter(benchmark::State& s) { Highlight(s, "e", false, true); }
void BM_RegexClass(benchmark::State& s) { Highlight(s, "[a-z]+ing", true, false); }

BENCHMARK(BM_PlainTwoWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PowerfulJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PowerfulFrequentLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexClass)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
