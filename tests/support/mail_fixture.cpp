// The message factory and the demo: what every fixture store is made of, on either
// system (the files and registry values are written by mail_fixture_posix.cpp or
// mail_fixture_win32.cpp).

#include "support/mail_fixture.h"

#include "common/mbstring.h"
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

std::string MakeMessage(const TMessageSpec& spec) {
  auto header_text = [&](const std::string& text) {
    bool ascii = true;
    for (unsigned char c : text) ascii = ascii && c < 0x80;
    return spec.jis && !ascii ? EncodedWord(text) : text;
  };
  std::string from = spec.from;
  if (spec.jis) {
    // Only the display name is encoded; the address stays.
    const size_t lt = from.find(" <");
    if (lt != std::string::npos) from = header_text(from.substr(0, lt)) + from.substr(lt);
  }
  std::string m = "From: " + from + "\r\nTo: " + spec.to +
                  "\r\nSubject: " + header_text(spec.subject) + "\r\nDate: " + spec.date +
                  "\r\nMIME-Version: 1.0\r\n";
  const std::string charset = spec.jis ? "ISO-2022-JP" : "Shift_JIS";
  std::string body;
  for (size_t start = 0; start < spec.body.size();) {
    size_t end = spec.body.find("\r\n", start);
    if (end == std::string::npos) end = spec.body.size();
    const std::string line = spec.body.substr(start, end - start);
    body += (spec.jis ? SjisToJis(line) : line) + "\r\n";
    start = end + 2;
  }
  if (spec.attachment_type.empty()) {
    m += "Content-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
    return m;
  }
  m += "Content-Type: multipart/mixed; boundary=\"b0undary\"\r\n\r\n";
  m += "--b0undary\r\nContent-Type: text/plain; charset=" + charset + "\r\n\r\n" + body;
  m += "--b0undary\r\nContent-Type: " + spec.attachment_type +
       "; name=\"attach\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  const std::string b64 = Base64Encode(spec.attachment_bytes);
  for (size_t i = 0; i < b64.size(); i += 76) m += b64.substr(i, 76) + "\r\n";
  m += "--b0undary--\r\n";
  return m;
}

void BuildDemoStores(TMailFixture& f, TIniFile& settings) {
  BuildAkira32GoldStore(f);
  BuildAlMailStore(f);
  BuildAlMail32Store(f);
  BuildBeckyStore(f);
  BuildBecky2Store(f);
  BuildDatulaStore(f);
  BuildEdMaxStore(f);
  BuildEudoraStore(f);
  BuildHyperMailerStore(f);
  BuildKenm3Store(f);
  BuildMessageManagerStore(f);
  BuildMessengerStore(f);
  BuildSesnaStore(f);
  BuildTsworksStore(f);
  BuildWeMail32Store(f);
  BuildWinbiffStore(f);
  BuildDenshin8Store(f);
  BuildUserDirectories(f, settings);
  RememberMessageManager(settings);
  RememberSesna(settings);
  RememberDenshin8(settings);
  f.WriteHives();
}

}  // namespace lorvane::testing
