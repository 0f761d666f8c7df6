// The bilingual text table and its placeholder replacement.
// Tested by tests/common/messages_test.cpp.

#include "common/messages.h"

#include "common/language.h"

namespace lorvane {

std::string_view Text(const TBilingualText& text) {
  return IsJapanese() || text.english.empty() ? text.japanese : text.english;
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    // "%" is ASCII and never a CP932 trail byte, so a byte scan is safe here.
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      const char next = pattern[i + 1];
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (next >= '1' && next <= '9') {
        const size_t k = static_cast<size_t>(next - '1');
        if (k < args.size()) out += *(args.begin() + k);
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

std::string Format(const TBilingualText& text, std::initializer_list<std::string_view> args) {
  return FormatText(Text(text), args);
}

namespace msg {

const TBilingualText kErrorCaption{"エラー", "Error"};
const TBilingualText kOk{"OK", "OK"};
const TBilingualText kCancel{"キャンセル", "Cancel"};

const TBilingualText kFileIsMissing{"%1 がありません", "%1\r\nis not found."};
const TBilingualText kAboutText{
    "ローカルのメールソフトが保存したメールを、全文で検索するツールです。",
    "Full-text search over the mail that mail programs keep on the local disk."};

const TBilingualText kStateUnchecked{"調べない", "not searched"};
const TBilingualText kStateChecked{"調べる", "searched"};
const TBilingualText kStateSubtreeUnchecked{"サブフォルダもすべて調べない",
                                            "not searched, with every sub-folder"};
const TBilingualText kStateSubtreeChecked{"サブフォルダもすべて調べる",
                                          "searched, with every sub-folder"};
const TBilingualText kStateGreyUnchecked{"上のフォルダの指定で調べない",
                                         "not searched, as a folder above says"};
const TBilingualText kStateGreyChecked{"上のフォルダの指定で調べる",
                                       "searched, as a folder above says"};

}  // namespace msg
}  // namespace lorvane
