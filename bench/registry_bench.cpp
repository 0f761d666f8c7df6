// Loading a generated 50 MB system.reg in Wine's format (keys a few levels deep, many
// siblings under CLSID-like keys, strings with Japanese escapes, hex values continued over
// lines), the same content as a version 5 export, and value lookups in the loaded tree.
// The "tree_MiB" counter is the growth of the process's peak memory over the first load.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/posix/posix_registry.h"

namespace {

constexpr size_t kHiveBytes = 50u << 20;

std::string Guid(unsigned n) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "{%08X-5D2F-4E6A-9B7C-%012X}", n * 2654435761u, n);
  return buf;
}

// One key block in Wine's format; `export_form` writes it the registry editor's way.
void AppendKey(unsigned n, bool export_form, std::string* out) {
  const std::string sep = export_form ? "\\" : "\\\\";
  const std::string path = "Software" + sep + "Classes" + sep + "CLSID" + sep + Guid(n / 4) +
                           (n % 4 == 0 ? "" : sep + "InprocServer" + std::to_string(n % 4));
  if (export_form) {
    *out += "[HKEY_LOCAL_MACHINE\\" + path + "]\n";
  } else {
    *out += "[" + path + "] 1796546137\n#time=1dd855cc4f8fa2c\n";
  }
  const std::string japanese = export_form ? "\xE8\xA1\xA8\xE7\xA4\xBA"  // UTF-8 表示
                                           : "\\x8868\\x793a";
  *out += "@=\"C:" + sep + "windows" + sep + "system32" + sep + "component" + std::to_string(n) +
          ".dll\"\n";
  *out += "\"ThreadingModel\"=\"Both\"\n";
  *out += "\"" + japanese + "\"=\"" + japanese + " " + std::to_string(n) + "\"\n";
  *out += "\"Flags\"=dword:" + std::to_string(10000000 + n) + "\n";
  *out +=
      "\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
      "  16,17,18,19,1a,1b,1c,1d,1e,1f\n\n";
}

std::string MakeText(bool export_form) {
  std::string text = export_form ? "Windows Registry Editor Version 5.00\n\n"
                                 : "WINE REGISTRY Version 2\n;; All keys relative to "
                                   "REGISTRY\\\\Machine\n\n#arch=win64\n\n";
  text.reserve(kHiveBytes + 4096);
  for (unsigned n = 0; text.size() < kHiveBytes; ++n) AppendKey(n, export_form, &text);
  return text;
}

const std::string& HiveText() {
  static const std::string text = MakeText(false);
  return text;
}

long PeakKiB() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_LoadSystemReg50MB(benchmark::State& state) {
  const std::string& text = HiveText();
  const long before = PeakKiB();
  for (auto _ : state) {
    lorvane::PosixRegistry registry;
    registry.LoadHiveText(lorvane::TWineHive::kMachine, text, "system.reg");
    benchmark::DoNotOptimize(registry.skipped_lines());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.counters["tree_MiB"] = static_cast<double>(PeakKiB() - before) / 1024.0;
}
BENCHMARK(BM_LoadSystemReg50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadExportUtf16_50MB(benchmark::State& state) {
  const std::string utf8 = MakeText(true);
  std::string utf16 = "\xFF\xFE";
  // ASCII and two BMP characters only, so a plain widening suffices except for 表示.
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      utf16 += static_cast<char>(c);
      utf16 += '\0';
    } else {
      const char32_t cp = (c & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
      utf16 += static_cast<char>(cp & 0xFF);
      utf16 += static_cast<char>(cp >> 8);
      i += 2;
    }
  }
  for (auto _ : state) {
    lorvane::PosixRegistry registry;
    registry.LoadRegText(utf16, "export.reg");
    benchmark::DoNotOptimize(registry.skipped_lines());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(utf16.size()));
}
BENCHMARK(BM_LoadExportUtf16_50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QueryValue(benchmark::State& state) {
  static const auto registry = [] {
    auto r = std::make_unique<lorvane::PosixRegistry>();
    r->LoadHiveText(lorvane::TWineHive::kMachine, HiveText(), "system.reg");
    return r;
  }();
  unsigned n = 0;
  for (auto _ : state) {
    const std::string key = "CLSID\\" + Guid(n % 1000) + "\\InprocServer1";
    benchmark::DoNotOptimize(
        registry->QueryValue(lorvane::TRegRoot::kClassesRoot, key, "ThreadingModel"));
    ++n;
  }
}
BENCHMARK(BM_QueryValue);

}  // namespace

BENCHMARK_MAIN();
