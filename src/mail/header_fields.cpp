// The header scan behind the result list's Date, Time, From and Subject columns.
//   "Subject:  first \r\nFrom: 表 <a@b>\r\nDate: Tue, 5 Dec 2006 12:34:56\r\n"
//     ->  "2006-12-05", "12:34:56", "表", "first"
// The value forms themselves are mail_text.h's.
// Tested by tests/mail/header_fields_test.cpp.

#include "mail/header_fields.h"

#include "common/lines.h"
#include "common/mbstring.h"
#include "mail/mail_text.h"

namespace lorvane {

void ScanHeaderFields(std::string_view text, bool names_without_blank, std::string* date,
                      std::string* time, std::string* sender, std::string* subject) {
  date->clear();
  time->clear();
  sender->clear();
  subject->clear();
  const std::string_view subject_prefix = names_without_blank ? "SUBJECT:" : "SUBJECT: ";
  const std::string_view from_prefix = names_without_blank ? "FROM:" : "FROM: ";
  const std::string_view date_prefix = names_without_blank ? "DATE:" : "DATE: ";
  text = TextBeforeNul(text);
  for (size_t pos = 0; pos < text.size();) {
    const TLineEnd end = *FindLineEnd(text, pos, true);
    const std::string_view line = text.substr(pos, end.end - pos);
    pos = end.next;
    bool filled = false;
    if (StartsWithNoCase(line, 0, subject_prefix)) {
      if (subject->empty()) {
        *subject = std::string(Trim(line.substr(subject_prefix.size())));
        filled = true;
      }
    } else if (StartsWithNoCase(line, 0, from_prefix)) {
      if (sender->empty()) {
        *sender = SenderName(line.substr(from_prefix.size()));
        filled = true;
      }
    } else if (StartsWithNoCase(line, 0, date_prefix)) {
      if (date->empty()) {
        *date = MailDate(line.substr(date_prefix.size()));
        *time = MailTime(line.substr(date_prefix.size()));
        filled = true;
      }
    }
    if (filled && !subject->empty() && !sender->empty() && !date->empty()) break;
  }
}

}  // namespace lorvane
