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

// "Searth" is the dialog's own spelling and stays.
const TBilingualText kSearchPatternLabel{"検索文字列", "Searth Pattern"};
const TBilingualText kReplaceStringLabel{"置き換え文字列", "Replace String"};
const TBilingualText kShowMessageIfNotFound{"見つからなければメッセージを表示する",
                                            "Show message if not found"};
const TBilingualText kReplaceContinuously{"続けて置き換える", "Replace Continuously"};
const TBilingualText kConfirmBeforeReplace{"置き換える前に確認する", "Confirm before Replace"};
const TBilingualText kUseRegularExpression{"正規表現を使用する", "Use Regular Expression"};
const TBilingualText kSearchPowerfully{"強力に検索する", "Search Powerfully"};
const TBilingualText kSearchUpward{"上へ%1", "%1 Upward"};
const TBilingualText kSearchDownward{"下へ%1", "%1 Downward"};
const TBilingualText kConfigOnly{"条件設定のみ", "Config Only"};

const TBilingualText kSaveAsReplace{"%1 は既にあります。\r\n置き換えますか？",
                                    "%1 already exists.\r\nDo you want to replace it?"};
const TBilingualText kSaveAsStoreFile{
    "%1 はメールソフトがメールを保存しているファイルなので、上書きできません。\r\n"
    "別の名前を付けて下さい。",
    "%1 is the file in which the mail program keeps its mail and cannot be overwritten.\r\n"
    "Please choose another name."};
const TBilingualText kSaveAsFailed{"%1 に保存できませんでした。\r\n%2",
                                   "Could not save %1.\r\n%2"};

}  // namespace msg
}  // namespace lorvane
