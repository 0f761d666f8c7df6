// The viewer's message list and the loading of one message for it. The list keeps each
// message as the text "First,Last,FileName", as the window's own list always has; the
// reading is the message reader's, so the viewer shows what the search searched.
// Tested by tests/mail/viewer_messages_test.cpp.

#include "mail/viewer_messages.h"

#include <algorithm>

#include "common/mbstring.h"
#include "common/windows_path.h"

namespace lorvane {

namespace {

constexpr std::string_view kTitlePrefix = "Filename: ";
constexpr std::string_view kSubject = "SUBJECT:";

}  // namespace

void TViewerMessages::AddMail(const std::string& file_name, int32_t first, int32_t last) {
  entries_.push_back(std::to_string(first) + "," + std::to_string(last) + "," + file_name);
}

bool TViewerMessages::SetIndex(int index) {
  if (index < 0 || index >= Count()) return false;
  index_ = index;
  return true;
}

std::string TViewerMessages::PositionCaption() const {
  return std::to_string(index_ + 1) + "/" + std::to_string(Count());
}

TMail TViewerMessages::MailAt(int index) const {
  if (index < 0 || index >= Count()) return {};
  const std::string_view entry = Entry(index);
  const size_t comma = entry.find(',');  // the numbers come first: no double-byte text
  const size_t second = comma == std::string_view::npos ? comma : entry.find(',', comma + 1);
  if (second == std::string_view::npos) return {};
  TMail mail;
  mail.First = ParseMailAddress(entry.substr(0, comma), 0);
  mail.Last = ParseMailAddress(entry.substr(comma + 1, second - comma - 1), -1);
  mail.FileName = entry.substr(second + 1);
  return mail;
}

std::string_view LimitViewerText(std::string_view text) {
  if (text.size() <= kViewerTextLimit) return text;
  size_t i = 0;
  while (i + CharWidthAt(text, i) <= kViewerTextLimit) i += CharWidthAt(text, i);
  return text.substr(0, i);
}

void ReadViewerHeader(std::string_view file_name, std::string_view text, TViewedMessage* page) {
  page->title = std::string(kTitlePrefix) + ExtractFileName(file_name);
  page->body_line = -1;
  page->body_offset = 0;
  // The text's lines end in CR LF (the reader's form); a last line may lack it.
  bool in_header = true;
  int line_index = 0;
  for (size_t start = 0; start < text.size(); ++line_index) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    const std::string_view line = text.substr(start, end - start);
    if (in_header) {
      if (line.empty()) {
        in_header = false;
      } else if (UpperAscii(line.substr(0, kSubject.size())) == kSubject) {
        page->title = Trim(line.substr(kSubject.size()));
      }
    } else if (!line.empty()) {
      page->body_line = line_index;
      page->body_offset = start;
      return;
    }
    start = end + 2;
  }
}

TViewedMessage LoadViewedMessage(TMailReader& reader, const TMail& mail, bool limit_32kb) {
  TViewedMessage page;
  try {
    page.text = reader.ReadMailText(mail.FileName, mail.First, mail.Last, false);
  } catch (const EMailRead& e) {
    page.error = e.what();
  }
  if (limit_32kb) page.text.resize(LimitViewerText(page.text).size());
  ReadViewerHeader(mail.FileName, page.text, &page);
  return page;
}

}  // namespace lorvane
