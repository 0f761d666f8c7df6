// Test harness over the fixture prefix.

#include "support/stores_harness.h"

#include "mail/detection_log.h"

namespace lorvane::testing {

std::unique_ptr<TSystemPlatform> FixturePlatform(const TMailFixture& fixture) {
  fixture.WriteHives();
  fixture.MakeDirectory("C:\\Lorvane");  // where the detection log is written
  TPlatformOptions options;
#ifdef _WIN32
  options.program_host_path = "C:\\Lorvane\\lorvane.exe";
#else
  options.wine_prefix = fixture.Prefix();
  options.program_host_path = fixture.Prefix() + "/drive_c/Lorvane/lorvane.exe";
#endif
  return CreateSystemPlatform(options);
}

TStoresHarness::TStoresHarness(const TMailFixture& fixture)
    : platform_(FixturePlatform(fixture)), stores(platform_->Get(), ini, dialogs) {
  stores.SetClock([] { return *EncodeDateTime({2026, 12, 6, 9, 30, 0}); });
}

std::vector<std::string> TStoresHarness::Log() {
  TDetectionLog log(stores.Fs(), stores.DetectionLogPath());
  log.Load();
  return log.Lines();
}

std::string TStoresHarness::TreeDump() {
  std::string out;
  stores.Tree().ForEachNode([&out](TFolder& node) {
    int depth = 0;
    for (const TFolder* p = node.Parent(); p != nullptr; p = p->Parent()) ++depth;
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + node.Caption() + " [" + node.Key() +
           "] " + node.DataPath() + (node.HasMail() ? " *" : "") + "\n";
  });
  return out;
}

std::string TStoresHarness::MailsOf(const std::string& full_caption) {
  TFolder* folder = stores.Tree().FindByFullCaption(full_caption);
  if (folder == nullptr) return "<no folder " + full_caption + ">";
  stores.EnumerateMails(*folder);
  std::string out;
  for (int i = 0; i < folder->MailCount(); ++i) {
    const TMail* m = folder->Mail(i);
    out += m->FileName + " " + std::to_string(m->First) + " " + std::to_string(m->Last) + "\n";
  }
  folder->ClearMails();
  return out;
}

}  // namespace lorvane::testing
