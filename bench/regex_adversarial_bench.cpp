// Matcher throughput on patterns built to defeat a lazy DFA: every text byte would create
// a new automaton state (many dots after a frequent character, closures over large
// alternations), with and without the powerful mode's expansion. Reports MB/s over 1 MiB
// texts; "Find" is what a search asks, "Match" what the viewer and `lorvane-cli match` ask.
// The first call of a matcher includes detecting the thrashing; the _Cold variants
// measure a fresh matcher per iteration, the others a warm one.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "search/awk_str.h"

namespace {

constexpr size_t kTextBytes = size_t{1} << 20;

// `head`, then random characters drawn from `alphabet` (CP932 strings) up to 1 MiB.
std::string RandomText(const std::string& head, const std::vector<std::string>& alphabet,
                       unsigned seed) {
  std::mt19937 rng(seed);
  std::string text = head;
  text.reserve(kTextBytes + 2);
  while (text.size() < kTextBytes) text += alphabet[rng() % alphabet.size()];
  return text;
}

// The patterns' last character stands first, where it ends no match, so that the text is
// not rejected for lacking it.
const std::string& AbText() {
  static const std::string text = RandomText("c", {"a", "b"}, 1);
  return text;
}

// Double-byte text: trail bytes "\" and "|", blanks and line ends between them.
const std::string& KanaText() {
  static const std::string text =
      RandomText("漢", {"サ", "バ", "ソ", "表", "ポ", "a", "ｻ", " ", "\r\n", "ー"}, 2);
  return text;
}

// The same with one match in the last few hundred bytes.
const std::string& AbTextMatchingAtTheEnd() {
  static const std::string text = AbText() + "a" + std::string(254, 'b') + "c";
  return text;
}

std::string Dots(int n) {
  return std::string(static_cast<size_t>(n), '.');
}

// a.{254}c: 256 bytes, the longest pattern the target covers.
std::string ManyDots() {
  return "a" + Dots(254) + "c";
}
std::string ClosureThenDots() {
  return "(a|b)*a" + Dots(40) + "c";
}
// A closure over 24 two- and three-letter words of a and b, then a counted tail.
std::string AlternationUnderClosure() {
  std::string words;
  const char* const list[] = {"aa",  "ab",  "ba",  "bb",  "aaa", "aab", "aba", "abb",
                              "baa", "bab", "bba", "bbb", "ab",  "ba",  "aab", "bba",
                              "a",   "b",   "aa",  "bb",  "abb", "baa", "bab", "aba"};
  for (const char* w : list) words += std::string(words.empty() ? "" : "|") + w;
  return "(" + words + ")*a" + Dots(30) + "c";
}
// No "漢" in the text, so every "サ" or "ｻ" starts an attempt that runs 120 characters.
std::string KanaDots() {
  return "サ" + Dots(120) + "漢";
}

void RunFind(benchmark::State& state, const std::string& pattern, const std::string& text,
             bool fuzzy) {
  lorvane::TAWKStr m;
  m.SetUseFuzzyCharDic(fuzzy);
  m.SetRegExp(pattern);
  for (auto _ : state) {
    bool found = m.Find(text);
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

void RunFindCold(benchmark::State& state, const std::string& pattern, const std::string& text,
                 bool fuzzy) {
  for (auto _ : state) {
    lorvane::TAWKStr m;
    m.SetUseFuzzyCharDic(fuzzy);
    m.SetRegExp(pattern);
    bool found = m.Find(text);
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

void RunMatch(benchmark::State& state, const std::string& pattern, const std::string& text,
              bool fuzzy) {
  lorvane::TAWKStr m;
  m.SetUseFuzzyCharDic(fuzzy);
  m.SetRegExp(pattern);
  for (auto _ : state) {
    int start = 0;
    int length = 0;
    m.Match(text, &start, &length);
    benchmark::DoNotOptimize(start);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

void BM_FindManyDots(benchmark::State& s) {
  RunFind(s, ManyDots(), AbText(), false);
}
void BM_FindManyDotsPowerful(benchmark::State& s) {
  RunFind(s, ManyDots(), AbText(), true);
}
void BM_FindManyDots_Cold(benchmark::State& s) {
  RunFindCold(s, ManyDots(), AbText(), false);
}
void BM_MatchManyDots(benchmark::State& s) {
  RunMatch(s, ManyDots(), AbText(), false);
}
void BM_MatchManyDotsAtTheEnd(benchmark::State& s) {
  RunMatch(s, ManyDots(), AbTextMatchingAtTheEnd(), false);
}
void BM_FindClosureThenDots(benchmark::State& s) {
  RunFind(s, ClosureThenDots(), AbText(), false);
}
void BM_FindClosureThenDotsPowerful(benchmark::State& s) {
  RunFind(s, ClosureThenDots(), AbText(), true);
}
void BM_FindClosureThenDots_Cold(benchmark::State& s) {
  RunFindCold(s, ClosureThenDots(), AbText(), false);
}
void BM_MatchClosureThenDots(benchmark::State& s) {
  RunMatch(s, ClosureThenDots(), AbText(), false);
}
void BM_FindAlternationUnderClosure(benchmark::State& s) {
  RunFind(s, AlternationUnderClosure(), AbText(), false);
}
void BM_FindAlternationUnderClosurePowerful(benchmark::State& s) {
  RunFind(s, AlternationUnderClosure(), AbText(), true);
}
void BM_FindKanaDotsPowerful(benchmark::State& s) {
  RunFind(s, KanaDots(), KanaText(), true);
}
void BM_MatchKanaDotsPowerful(benchmark::State& s) {
  RunMatch(s, KanaDots(), KanaText(), true);
}

BENCHMARK(BM_FindManyDots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindManyDotsPowerful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindManyDots_Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchManyDots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchManyDotsAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosureThenDots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosureThenDotsPowerful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClosureThenDots_Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchClosureThenDots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAlternationUnderClosure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAlternationUnderClosurePowerful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindKanaDotsPowerful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchKanaDotsPowerful)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
