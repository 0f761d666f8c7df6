// Matcher throughput over 64 MB of generated mail text, with keywords that do not occur
// (the common case of a search: most messages do not match), and compile times.

#include <benchmark/benchmark.h>

#include <string>

#include "mail_corpus.h"
#include "search/awk_str.h"
#include "search/keyword_query.h"

namespace {

const std::string& Corpus() {
  static const std::string corpus = lorvane::bench::MakeMailCorpus(64 << 20);
  return corpus;
}

void RunQuery(benchmark::State& state, lorvane::TMethod method, const std::string& keywords,
              bool regexp, bool powerful) {
  const std::string& text = Corpus();
  lorvane::TRSearch query;
  query.SetMethod(method);
  query.SetCondition(keywords, regexp, powerful);
  if (query.PatternError()) state.SkipWithError("pattern error");
  for (auto _ : state) {
    bool m = query.IsMatch(text);
    benchmark::DoNotOptimize(m);
    if (m) state.SkipWithError("unexpected match");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

void BM_PlainAndTwoAsciiAbsent(benchmark::State& state) {
  // Every byte of both words occurs in the corpus, so the rare-byte scan has work to do.
  RunQuery(state, lorvane::mtAND, "invoice overdue", false, false);
}
BENCHMARK(BM_PlainAndTwoAsciiAbsent)->Unit(benchmark::kMillisecond);

void BM_PowerfulJapaneseAbsent(benchmark::State& state) {
  RunQuery(state, lorvane::mtAND, "検索結果", false, true);
}
BENCHMARK(BM_PowerfulJapaneseAbsent)->Unit(benchmark::kMillisecond);

void BM_PowerfulKanaAbsent(benchmark::State& state) {
  RunQuery(state, lorvane::mtAND, "ダウンロ", false, true);
}
BENCHMARK(BM_PowerfulKanaAbsent)->Unit(benchmark::kMillisecond);

void BM_RegexClassClosureAbsent(benchmark::State& state) {
  RunQuery(state, lorvane::mtAND, "inv[a-z]*ce[0-9]+", true, false);
}
BENCHMARK(BM_RegexClassClosureAbsent)->Unit(benchmark::kMillisecond);

void BM_RegexJapaneseClassAbsent(benchmark::State& state) {
  RunQuery(state, lorvane::mtAND, "請求書[０-９0-9]+", true, false);
}
BENCHMARK(BM_RegexJapaneseClassAbsent)->Unit(benchmark::kMillisecond);

void BM_CompileFuzzy20Japanese(benchmark::State& state) {
  const std::string keyword = "メールの検索結果をソフトウェアで表示する";  // 20 characters
  for (auto _ : state) {
    lorvane::TAWKStr m;
    m.SetUseFuzzyCharDic(true);
    m.SetRegExp(keyword);
    benchmark::DoNotOptimize(m.ForTestingCurrentEntry());
  }
}
BENCHMARK(BM_CompileFuzzy20Japanese)->Unit(benchmark::kMicrosecond);

void BM_CompileNestedAlternation30(benchmark::State& state) {
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < 30; ++i) pattern += "(a|b)";
  for (auto _ : state) {
    lorvane::TAWKStr m;
    m.SetRegExp(pattern);
    benchmark::DoNotOptimize(m.ForTestingCurrentEntry());
  }
}
BENCHMARK(BM_CompileNestedAlternation30)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
