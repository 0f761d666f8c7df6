// Settings file speed: reading and writing a file of 20,000 keys (the check states of a
// large folder tree), and the lookup the mail reader makes for every message.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "persist/ini_file.h"

namespace {

constexpr int kFolders = 10000;  // two keys each

struct Setting {
  std::string section;
  std::string name;
  lorvane::TIniValue value;
};

// Mail-program sections with folders up to four levels deep, Japanese and ASCII names.
std::vector<Setting> FolderSettings() {
  static const char* const kNames[] = {"受信箱",   "送信箱",  "ゴミ箱",
                                       "Inbox",    "Archive", "ソフト表示",
                                       "Projects", "2024",    "メーリングリスト"};
  std::mt19937 random(1);
  std::vector<Setting> settings;
  for (int i = 0; i < kFolders; ++i) {
    std::string section = "Mailers\\Mailer" + std::to_string(i % 17);
    for (int depth = 1 + static_cast<int>(random() % 4); depth > 0; --depth) {
      section += "\\" + std::string(kNames[random() % std::size(kNames)]);
    }
    section += std::to_string(i);
    settings.push_back({section, "Status", static_cast<int64_t>(random() % 4 + 1)});
    settings.push_back({section, "Expanded", random() % 2 == 0});
  }
  settings.push_back({"Option", "Length Limit", true});
  return settings;
}

lorvane::TIniFile Filled(bool shuffled) {
  std::vector<Setting> settings = FolderSettings();
  if (shuffled) std::shuffle(settings.begin(), settings.end(), std::mt19937(2));
  lorvane::TIniFile ini;
  for (const Setting& s : settings) ini.WriteValue(s.section, s.name, s.value);
  return ini;
}

const std::string& SettingsText() {
  static const std::string text = Filled(false).ToText();
  return text;
}

void BM_Load20000Keys(benchmark::State& state) {
  const std::string& text = SettingsText();
  lorvane::TIniFile ini;
  for (auto _ : state) {
    ini.LoadFromText(text);
    benchmark::DoNotOptimize(ini.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Load20000Keys)->Unit(benchmark::kMillisecond);

// The common case at program end: the loaded keys, still in order.
void BM_UpdateFile20000Keys(benchmark::State& state) {
  lorvane::TIniFile ini;
  ini.LoadFromText(SettingsText());
  for (auto _ : state) {
    std::string text = ini.ToText();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_UpdateFile20000Keys)->Unit(benchmark::kMillisecond);

// Every key written in random order, so the writer sorts all of them first.
void BM_UpdateFileUnsorted20000Keys(benchmark::State& state) {
  const lorvane::TIniFile shuffled = Filled(true);
  for (auto _ : state) {
    state.PauseTiming();
    lorvane::TIniFile ini = shuffled;
    state.ResumeTiming();
    std::string text = ini.ToText();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_UpdateFileUnsorted20000Keys)->Unit(benchmark::kMillisecond);

void BM_ReadValueAmong20000Keys(benchmark::State& state) {
  lorvane::TIniFile ini;
  ini.LoadFromText(SettingsText());
  for (auto _ : state) {
    bool limit = ini.ReadBool("Option", "Length Limit", false);
    benchmark::DoNotOptimize(limit);
  }
}
BENCHMARK(BM_ReadValueAmong20000Keys);

}  // namespace

BENCHMARK_MAIN();
