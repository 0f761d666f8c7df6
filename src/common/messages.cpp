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

const TBilingualText kSettingsNotSaved{
    "%1\nを作成できませんでした。\nオプション設定などは保存されません。",
    "%1\ncan not be created.\nYour option settings have not saved."};
const TBilingualText kFileErrorCaption{"Lorvane - ファイルエラー", "Lorvane - File Error"};

const TBilingualText kBadHexNumberField{"%1 の %2 行目: \"%3\" は16進数の数値ではありません。",
                                        "%1, line %2: \"%3\" is not a hexadecimal number."};
const TBilingualText kBadDecimalNumberField{
    "%1 の %2 行目: \"%3\" は10進数の数値ではありません。",
    "%1, line %2: \"%3\" is not a decimal number."};
const TBilingualText kBadHexOffsetOrSize{
    "%1 の %2 行目: \"%3\" は16進数の位置または長さとして読めません。",
    "%1, line %2: \"%3\" is not a hexadecimal offset or size."};
const TBilingualText kCannotOpen{"%1 を開けません。", "Cannot open %1."};
const TBilingualText kCannotOpenBecause{"%1 を開けません。（%2）", "Cannot open %1: %2"};
const TBilingualText kNotANumber{"%1: \"%2\" は数値ではありません", "%1: \"%2\" is not a number"};

const TBilingualText kNegativeStartOffset{"%1: 開始位置が負です", "%1: negative start offset"};
const TBilingualText kNegativeBlockNumber{"%1: ブロック番号が負です", "%1: negative block number"};
const TBilingualText kRecordLengthNotHex{
    "%1: レコード長 \"%2\" が16進数ではありません（位置 %3）",
    "%1: record length \"%2\" at offset %3 is not hexadecimal"};
const TBilingualText kLinesOutsideFile{"%1: %2～%3 行目がファイルの範囲外です（%4 行）",
                                       "%1: lines %2 to %3 lie outside the file (%4 lines)"};

}  // namespace msg
}  // namespace lorvane
