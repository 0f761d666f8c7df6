// Fuzz target: the message reader over an in-memory file system (TMailReader), and the
// header values the result list shows (SenderName, MailDate, MailTime) of every header line.
// Input: one flag byte (bits 0-1 the layout: 0 byte range "C:\M\a.bmf", 1 blocks
// "C:\M\b.mbx" beside "b.bmp", 2 records "C:\M\c.MES\MESSAGE.TXT", 3 line range
// "C:\M\d.txt"; bit 2 header only; bit 3 length limit), then four 32-bit little-endian
// numbers: first and last of a message, first and last of a second one, then the file.
// The first message is read, the second (through the line cache where the layout has one),
// then the first again, which must give the same text. EMailRead is an accepted outcome.

#include <string>

#include "mail/mail_reader.h"
#include "mail/mail_text.h"
#include "support/fuzz_input.h"
#include "support/memory_file_system.h"

namespace lorvane::fuzz {

namespace {

std::string Read(TMailReader& reader, const std::string& name, int32_t first, int32_t last,
                 bool header_only, bool* failed) {
  try {
    *failed = false;
    return reader.ReadMailText(name, first, last, header_only);
  } catch (const EMailRead&) {
    *failed = true;
    return {};
  }
}

void ShowHeaderValues(std::string_view text) {
  for (std::string_view line : SplitLines(text)) {
    if (line.empty()) break;
    const size_t colon = line.find(':');
    const std::string_view value = colon == std::string_view::npos ? line : line.substr(colon + 1);
    (void)SenderName(value);
    (void)MailDate(value);
    (void)MailTime(value);
  }
}

}  // namespace

void FuzzOne(std::string_view input) {
  TFuzzInput in(input);
  const uint8_t flags = in.Byte();
  const bool header_only = (flags & 4) != 0;
  const bool length_limit = (flags & 8) != 0;
  const int32_t first = in.Int32();
  const int32_t last = in.Int32();
  const int32_t first2 = in.Int32();
  const int32_t last2 = in.Int32();

  testing::MemoryFileSystem fs;
  std::string name;
  switch (flags & 3) {
    case 0:
      name = "C:\\M\\a.bmf";
      break;
    case 1:
      name = "C:\\M\\b.mbx";
      fs.AddFile("C:\\M\\b.bmp", "");
      break;
    case 2:
      name = "C:\\M\\c.MES\\MESSAGE.TXT";
      break;
    default:
      name = "C:\\M\\d.txt";
      break;
  }
  fs.AddFile(name, std::string(in.Rest()));

  TMailReader reader(fs, [length_limit] { return length_limit; });
  bool failed = false;
  const std::string text = Read(reader, name, first, last, header_only, &failed);
  ShowHeaderValues(text);
  bool failed2 = false;
  ShowHeaderValues(Read(reader, name, first2, last2, header_only, &failed2));
  bool failed_again = false;
  const std::string again = Read(reader, name, first, last, header_only, &failed_again);
  Check(failed_again == failed, "a second read of the same message fails differently");
  Check(again == text, "a second read of the same message differs");
}

}  // namespace lorvane::fuzz
