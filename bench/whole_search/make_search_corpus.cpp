// The whole-search benchmark's corpus: about 1 GB of mail in the layouts Lorvane reads,
// wired as mail-program folders and user directories of a Wine-prefix-like tree:
//   EUDORA mailboxes of 5 to 200 MB ("From ???@??? " separators),
//   Becky! mailboxes ("." lines end messages),
//   two user directories of one-message files.
// Japanese (CP932 and ISO-2022-JP) and English mail; about 15% of the messages carry a
// base64 attachment of 20 KB to 2 MB, which make up most of the bytes. Keywords are
// planted at known rates, and DIR/manifest.tsv records how many messages hold each query.
//   make_search_corpus DIR [SIZE_MB]

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "persist/ini_file.h"
#include "platform/registry.h"
#include "support/mail_fixture.h"

namespace {

using lorvane::TIniFile;
using lorvane::TRegRoot;
using lorvane::testing::MakeMessage;
using lorvane::testing::TMailFixture;
using lorvane::testing::TMessageParts;

// Filler without the planted words or anything the powerful "サーバ" could take for it.
const char* const kJapanese[] = {
    "いつもお世話になっております。",
    "先日の打ち合わせの議事録をお送りします。",
    "来週の会議の日程について、ご確認をお願いいたします。",
    "添付ファイルの資料をご覧ください。",
    "ご注文の商品は本日発送いたしました。",
    "新しい表示の不具合について報告します。",
    "よろしくお願い申し上げます。",
    "年末の予定を教えていただけますか。",
};
const char* const kEnglish[] = {
    "Thank you for your message about the quarterly report.",
    "Please find the minutes of yesterday's meeting below.",
    "Could you review the attached proposal before the deadline?",
    "We are pleased to announce the release of version 2.4.",
    "Your order has been shipped and should arrive within 3 business days.",
    "Let me know if the new schedule works for your team.",
};
const char* const kServerForms[] = {"サーバ", "ｻｰﾊﾞ", "サーバー", "サ-バ", "さーば"};

struct Planted {
  bool seikyu = false;  // 請求書
  bool shikyu = false;  // 至急
  bool invoice = false;  // invoice + digits
  bool server = false;  // a form of サーバ
};

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  // One message (CP932 or JIS), with what was planted in it.
  std::string Message(Planted* p) {
    const int kind = Pick(10);  // 0-3 CP932, 4-6 JIS, 7-9 English
    const bool english = kind >= 7;
    TMessageParts parts;
    parts.jis = kind >= 4 && kind <= 6;
    parts.date = "Mon, " + std::to_string(1 + Pick(28)) + " Dec 20" +
                 std::to_string(10 + Pick(16)) + " 10:" + std::to_string(10 + Pick(50)) +
                 ":00 +0900";
    parts.subject = english ? "Weekly status " + std::to_string(Pick(1000)) : "定例のご報告";
    std::string body;
    const int lines = 5 + Pick(40);
    for (int i = 0; i < lines; ++i) {
      body += english ? kEnglish[Pick(std::size(kEnglish))] : kJapanese[Pick(std::size(kJapanese))];
      body += "\r\n";
    }
    *p = Planted{};
    if (!english && Pick(100) < 3) {
      p->seikyu = true;
      (Pick(2) ? parts.subject : body) += "請求書の件";
    }
    if (!english && Pick(100) < 5) {
      p->shikyu = true;
      body += "至急ご確認ください。\r\n";
    }
    if (english && Pick(100) < 6) {
      p->invoice = true;
      body += "Please pay invoice" + std::to_string(2000 + Pick(100)) + " today.\r\n";
    }
    if (!english && Pick(100) < 2) {
      p->server = true;
      body += std::string(kServerForms[Pick(std::size(kServerForms))]) + "の移行\r\n";
    }
    parts.body = body;
    if (Pick(100) < 15) {
      parts.attachment_type = Pick(2) ? "image/jpeg" : "application/octet-stream";
      const size_t size = 20000 + static_cast<size_t>(Pick(1000)) * Pick(2000) + Pick(20000);
      parts.attachment_bytes.resize(std::min<size_t>(size, 2000000) / 4 * 4);
      for (size_t i = 0; i < parts.attachment_bytes.size(); i += 4) {
        const uint32_t r = static_cast<uint32_t>(rng_());
        std::memcpy(&parts.attachment_bytes[i], &r, 4);
      }
    }
    return MakeMessage(parts);
  }

  int Pick(size_t n) { return static_cast<int>(rng_() % n); }

 private:
  std::mt19937 rng_;
};

struct Counts {
  long messages = 0;
  long seikyu = 0, shikyu = 0, both = 0, either = 0, invoice = 0, server = 0, absent = 0;
  void Add(const Planted& p) {
    ++messages;
    seikyu += p.seikyu;
    shikyu += p.shikyu;
    both += p.seikyu && p.shikyu;
    either += p.seikyu || p.shikyu;
    invoice += p.invoice;
    server += p.server;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: make_search_corpus DIR [SIZE_MB]\n";
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dir = fs::absolute(argv[1]);
  const double scale = (argc > 2 ? std::stod(argv[2]) : 1024.0) / 1024.0;
  fs::remove_all(dir);
  TMailFixture f((dir / "prefix").string());
  TIniFile settings;
  Generator gen(20261206);
  Counts counts;
  std::ofstream files(dir / "files.txt");      // every mail file, for ripgrep
  std::ofstream mboxes(dir / "mbox-files.txt");  // the EUDORA part, for grepmail
  std::ofstream folders(dir / "mbox-folders.txt");

  // EUDORA: mailboxes of 5 to 200 MB listed in the description map.
  f.SetString(TRegRoot::kCurrentUser, "Software\\Qualcomm\\Eudora\\CommandLine", "Current",
              "C:\\Eudora\\Eudora.exe C:\\Eudora\\Mail C:\\Eudora\\eudora.ini");
  std::string descmap;
  const double mbox_mb[] = {200, 150, 100, 60, 40, 25, 15, 5};
  for (size_t i = 0; i < std::size(mbox_mb); ++i) {
    const std::string file = "Box" + std::to_string(i) + ".mbx";
    std::string box;
    while (box.size() < mbox_mb[i] * scale * 1e6) {
      Planted p;
      const std::string m = gen.Message(&p);
      box += "From ???@??? Mon Dec 07 10:00:00 2026\r\n" + m;
      counts.Add(p);
    }
    f.WriteFile("C:\\Eudora\\Mail\\" + file, box);
    descmap += "Box" + std::to_string(i) + "," + file + ",S,N\r\n";
    files << f.HostPath("C:\\Eudora\\Mail\\" + file) << '\n';
    mboxes << f.HostPath("C:\\Eudora\\Mail\\" + file) << '\n';
    folders << "EUDORA\\Box" << i << '\n';
  }
  f.WriteFile("C:\\Eudora\\Mail\\descmap.pce", descmap);

  // Becky!: one user, three mailboxes closed by "." lines.
  const std::string rebecca = "Software\\RIMArts\\Rebecca\\";
  f.SetString(TRegRoot::kCurrentUser, rebecca + "Settings", "HomeDir", "C:\\Becky\\");
  f.SetString(TRegRoot::kCurrentUser, rebecca + "Users\\0", "Address", "taro@example.jp");
  f.WriteFile("C:\\Becky\\User0\\InBox.ctl", "");
  const std::pair<const char*, double> becky[] = {{"InBox", 80}, {"Work", 50}, {"Archive", 20}};
  for (const auto& [name, mb] : becky) {
    std::string box;
    while (box.size() < mb * scale * 1e6) {
      Planted p;
      box += gen.Message(&p) + ".\r\n";
      counts.Add(p);
    }
    const std::string path = std::string("C:\\Becky\\User0\\") + name + ".mbx";
    f.WriteFile(path, box);
    files << f.HostPath(path) << '\n';
  }

  // Two user directories of one-message files, the first with sub-directories.
  double written = 0;
  int n = 0;
  while (written < 250 * scale * 1e6) {
    Planted p;
    const std::string m = gen.Message(&p);
    counts.Add(p);
    const std::string path = n % 3 == 2 ? "C:\\Saved\\Notes\\note" + std::to_string(n) + ".txt"
                                        : "C:\\Saved\\Mail\\" + std::to_string(2010 + n % 16) +
                                              "\\mail" + std::to_string(n) + ".eml";
    f.WriteFile(path, m);
    files << f.HostPath(path) << '\n';
    written += static_cast<double>(m.size());
    ++n;
  }
  settings.WriteInteger("Directory", "Number", 2);
  settings.WriteString("Directory\\Dir1", "Path", "C:\\Saved\\Mail\\");
  settings.WriteBool("Directory\\Dir1", "Recursive", true);
  settings.WriteString("Directory\\Dir2", "Path", "C:\\Saved\\Notes\\");
  settings.WriteBool("Directory\\Dir2", "Recursive", false);
  f.WriteHives();
  std::ofstream(dir / "lorvane.ini", std::ios::binary) << settings.ToText();

  std::ofstream manifest(dir / "manifest.tsv");
  manifest << "messages\t" << counts.messages << "\nabsent\t" << counts.absent << "\nseikyu\t"
           << counts.seikyu << "\nboth\t" << counts.both << "\neither\t" << counts.either << "\ninvoice\t" << counts.invoice
           << "\nserver\t" << counts.server << '\n';
  std::cout << dir.string() << ": " << counts.messages << " messages\n";
  return 0;
}
