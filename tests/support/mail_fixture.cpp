// The message factory and the demo: what every fixture store is made of, on either
// system (the files and registry values are written by mail_fixture_posix.cpp or
// mail_fixture_win32.cpp).

#include "support/mail_fixture.h"

#include <map>
#include <stdexcept>

#include "common/mbstring.h"
#include "mail/mailer_catalogue.h"
#include "persist/ini_file.h"

namespace lorvane::testing {

namespace {

// Sjis double-byte character to its JIS X 0208 row and cell.
std::pair<int, int> SjisPairToJis(unsigned char hi, unsigned char lo) {
  int row = (hi <= 0x9F ? hi - 0x71 : hi - 0xB1) * 2 + 1;
  int cell = lo > 0x7F ? lo - 1 : lo;
  if (cell >= 0x9E) {
    cell -= 0x7D;
    ++row;
  } else {
    cell -= 0x1F;
  }
  return {row, cell};
}

}  // namespace

std::string SjisToJis(std::string_view sjis) {
  std::string out;
  bool kanji = false;
  for (size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b) && i + 1 < sjis.size()) {
      if (!kanji) out += "\x1B$B";
      kanji = true;
      const auto [row, cell] = SjisPairToJis(b, static_cast<unsigned char>(sjis[i + 1]));
      out += static_cast<char>(row);
      out += static_cast<char>(cell);
      i += 2;
      continue;
    }
    if (kanji) out += "\x1B(B";
    kanji = false;
    out += sjis[i++];
  }
  if (kanji) out += "\x1B(B";
  return out;
}

std::string Base64Encode(std::string_view bytes) {
  static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[v & 63] : '=';
  }
  return out;
}

std::string EncodedWord(std::string_view sjis) {
  return "=?ISO-2022-JP?B?" + Base64Encode(SjisToJis(sjis)) + "?=";
}

std::string MakeMessage(const TMessageParts& parts) {
  auto header_text = [&](const std::string& text) {
    bool ascii = true;
    for (unsigned char c : text) ascii = ascii && c < 0x80;
    return parts.jis && !ascii ? EncodedWord(text) : text;
  };
  std::string from = parts.from;
  if (parts.jis) {
    // Only the display name is encoded; the address stays.
    const size_t lt = from.find(" <");
    if (lt != std::string::npos) from = header_text(from.substr(0, lt)) + from.substr(lt);
  }
  std::string m = "From: " + from + "\r\nTo: " + parts.to +
                  "\r\nSubject: " + header_text(parts.subject) + "\r\nDate: " + parts.date +
                  "\r\nMIME-Version: 1.0\r\n";
  const std::string charset = parts.jis ? "ISO-2022-JP" : "Shift_JIS";
  std::string body;
  for (size_t start = 0; start < parts.body.size();) {
    size_t end = parts.body.find("\r\n", start);
    if (end == std::string::npos) end = parts.body.size();
    const std::string line = parts.body.substr(start, end - start);
    body += (parts.jis ? SjisToJis(line) : line) + "\r\n";
    start = end + 2;
  }
  if (parts.attachment_type.empty()) {
    m += "Content-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
    return m;
  }
  m += "Content-Type: multipart/mixed; boundary=\"b0undary\"\r\n\r\n";
  m += "--b0undary\r\nContent-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
  m += "--b0undary\r\nContent-Type: " + parts.attachment_type +
       "; name=\"attach\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  const std::string b64 = Base64Encode(parts.attachment_bytes);
  for (size_t i = 0; i < b64.size(); i += 76) m += b64.substr(i, 76) + "\r\n";
  m += "--b0undary--\r\n";
  return m;
}

void BuildFixtureStore(int kind, TMailFixture& f, TIniFile& settings) {
  // Most stores are found through the registry and need nothing in the settings.
  static const std::map<int, void (*)(TMailFixture&)> kRegistered = {
      {mkAkira32Gold, BuildAkira32GoldStore}, {mkAlMail, BuildAlMailStore},
      {mkAlMail32, BuildAlMail32Store},       {mkBecky, BuildBeckyStore},
      {mkBecky2, BuildBecky2Store},           {mkDatula, BuildDatulaStore},
      {mkEdMax, BuildEdMaxStore},             {mkEudora, BuildEudoraStore},
      {mkHyperMailer, BuildHyperMailerStore}, {mkKenm3, BuildKenm3Store},
      {mkMessenger, BuildMessengerStore},     {mkTsworks, BuildTsworksStore},
      {mkWeMail32, BuildWeMail32Store},       {mkWinbiff, BuildWinbiffStore},
  };
  // The others are found only where the settings say.
  static const std::map<int, void (*)(TMailFixture&, TIniFile&)> kInSettings = {
      {mkDirectory, BuildUserDirectories}, {mkMessageManager, BuildMessageManagerStore},
      {mkSesna, BuildSesnaStore},          {mkDenshin8, BuildDenshin8Store},
  };
  if (const auto it = kRegistered.find(kind); it != kRegistered.end()) return it->second(f);
  if (const auto it = kInSettings.find(kind); it != kInSettings.end()) {
    return it->second(f, settings);
  }
  throw std::invalid_argument("no fixture store for kind " + std::to_string(kind));
}

void BuildDemoStores(TMailFixture& f, TIniFile& settings) {
  for (int kind = 0; kind < kMailerKinds; ++kind) BuildFixtureStore(kind, f, settings);
  f.WriteHives();
}

}  // namespace lorvane::testing
