// The header scan behind the result list's columns: both prefix forms, the first
// occurrence winning, body lines counting while a field is missing.

#include "mail/header_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvane {
namespace {

TEST(HeaderFieldsTest, PrefixFormsFirstOccurrenceAndBodyLines) {
  std::string date, time, sender, subject;
  const std::string becky = "Subject:tight\r\nFrom:a@b\r\nDate:Tue, 5 Dec 2006 12:34:56\r\n";
  ScanHeaderFields(becky, true, &date, &time, &sender, &subject);
  EXPECT_EQ(subject, "tight");
  EXPECT_EQ(sender, "a");
  EXPECT_EQ(date, "2006-12-05");
  ScanHeaderFields(becky, false, &date, &time, &sender, &subject);
  EXPECT_EQ(subject, "");
  EXPECT_EQ(sender, "");
  // The first occurrence wins; body lines count while a field is missing.
  const std::string text =
      "Subject:  first  \r\nSubject: second\r\n\r\nFrom: late@x\r\nDate: junk\r\n";
  ScanHeaderFields(text, false, &date, &time, &sender, &subject);
  EXPECT_EQ(subject, "first");
  EXPECT_EQ(sender, "late");
  EXPECT_EQ(date, "-12-");
}

}  // namespace
}  // namespace lorvane
