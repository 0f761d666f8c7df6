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
  auto has = [](std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && UpperAscii(line.substr(0, prefix.size())) == prefix;
  };
  bool done = false;
  ForEachLine(text, [&](std::string_view line) {
    if (done) return;
    bool filled = false;
    if (has(line, subject_prefix)) {
      if (subject->empty()) {
        *subject = std::string(Trim(line.substr(subject_prefix.size())));
        filled = true;
      }
    } else if (has(line, from_prefix)) {
      if (sender->empty()) {
        *sender = SenderName(line.substr(from_prefix.size()));
        filled = true;
      }
    } else if (has(line, date_prefix)) {
      if (date->empty()) {
        *date = MailDate(line.substr(date_prefix.size()));
        *time = MailTime(line.substr(date_prefix.size()));
        filled = true;
      }
    }
    if (filled && !subject->empty() && !sender->empty() && !date->empty()) done = true;
  });
}

}  // namespace lorvane
