// The fuzzy character dictionary table and its index by first character.
// Order matters: the first row with an item that matches wins, so "O" belongs to the
// round-shapes row 13 before the letter row 29, and within a row earlier items win.
// Row 8 ends with two empty items: a long-vowel mark or dash may also be absent.
// Tested by tests/search/fuzzy_char_dic_test.cpp against a byte-exact listing.

#include "search/fuzzy_char_dic.h"

#include "search/awk_str.h"

namespace lorvane {

namespace {

// Items as CP932 text (this file is compiled to CP932); nullptr ends a row.
const char* const kRows[][17] = {
    {"#", "＃", nullptr},                                            // 1
    {"%", "％", nullptr},                                            // 2
    {"&", "＆", nullptr},                                            // 3
    {"\"", "“", "”", "'", "’", "´", "｀", "^", "＾", "′", nullptr},  // 4
    {"(", "（", "[", "［", "〔", "{", "｛", "「", "『", "｢", "<", "＜", "〈", "《", "【", "≪",
     nullptr},  // 5
    {")", "）", "]", "］", "〕", "}", "｝", "」", "』", "｣", ">", "＞", "〉", "》", "】", "≫",
     nullptr},                                                                                  // 6
    {"*", "＊", "×", "+", "＋", "±", nullptr},                                                  // 7
    {"ー", "ｰ", "－", "-", "～", "_", "＿", "~", "￣", "=", "＝", "±", "〓", "", "", nullptr},  // 8
    {"/", "／", "＼", "%", "％", nullptr},                                                      // 9
    {"|", "｜", "∥", "!", "！", "?", "？", nullptr},                                         // 10
    {"\\", "￥", "＼", nullptr},                                                             // 11
    {",", "，", "､", "、", "｡", ".", "。", "．", "･", "・", ":", "：", ";", "；", nullptr},  // 12
    {"0", "０", "O", "o", "Ｏ", "ｏ", "○", "●", "◎", "〇", "。", "｡", nullptr},              // 13
    {"X", "x", "Ｘ", "ｘ", "×", nullptr},                                                    // 14
    {"Ａ", "ａ", "A", "a", "@", "＠", "Å", nullptr},                                         // 15
    {"Ｂ", "ｂ", "B", "b", nullptr},                                                         // 16
    {"Ｃ", "ｃ", "C", "c", "℃", "￠", nullptr},                                              // 17
    {"Ｄ", "ｄ", "D", "d", nullptr},                                                         // 18
    {"Ｅ", "ｅ", "E", "e", nullptr},                                                         // 19
    {"Ｆ", "ｆ", "F", "f", nullptr},                                                         // 20
    {"Ｇ", "ｇ", "G", "g", nullptr},                                                         // 21
    {"Ｈ", "ｈ", "H", "h", nullptr},                                                         // 22
    {"Ｉ", "ｉ", "I", "i", "|", "｜", nullptr},                                              // 23
    {"Ｊ", "ｊ", "J", "j", nullptr},                                                         // 24
    {"Ｋ", "ｋ", "K", "k", nullptr},                                                         // 25
    {"Ｌ", "ｌ", "L", "l", "￡", nullptr},                                                   // 26
    {"Ｍ", "ｍ", "M", "m", nullptr},                                                         // 27
    {"Ｎ", "ｎ", "N", "n", nullptr},                                                         // 28
    {"Ｏ", "ｏ", "O", "o", nullptr},                                                         // 29
    {"Ｐ", "ｐ", "P", "p", nullptr},                                                         // 30
    {"Ｑ", "ｑ", "Q", "q", nullptr},                                                         // 31
    {"Ｒ", "ｒ", "R", "r", nullptr},                                                         // 32
    {"Ｓ", "ｓ", "S", "s", "＄", "$", "§", nullptr},                                         // 33
    {"Ｔ", "ｔ", "T", "t", nullptr},                                                         // 34
    {"Ｕ", "ｕ", "U", "u", nullptr},                                                         // 35
    {"Ｖ", "ｖ", "V", "v", nullptr},                                                         // 36
    {"Ｗ", "ｗ", "W", "w", nullptr},                                                         // 37
    {"Ｘ", "ｘ", "X", "x", nullptr},                                                         // 38
    {"Ｙ", "ｙ", "Y", "y", nullptr},                                                         // 39
    {"Ｚ", "ｚ", "Z", "z", nullptr},                                                         // 40
    {"0", "０", "零", nullptr},                                                              // 41
    {"1", "１", "一", "①", "Ⅰ", "壱", "|", "｜", nullptr},                                   // 42
    {"2", "２", "二", "②", "Ⅱ", "弐", nullptr},                                              // 43
    {"3", "３", "三", "③", "Ⅲ", "参", nullptr},                                              // 44
    {"4", "４", "四", "④", "Ⅳ", nullptr},                                                    // 45
    {"5", "５", "五", "⑤", "Ⅴ", "伍", nullptr},                                              // 46
    {"6", "６", "六", "⑥", "Ⅵ", nullptr},                                                    // 47
    {"7", "７", "七", "⑦", "Ⅶ", nullptr},                                                    // 48
    {"8", "８", "八", "⑧", "Ⅷ", nullptr},                                                    // 49
    {"9", "９", "九", "⑨", "Ⅸ", nullptr},                                                    // 50
    {"ん", "ン", "ﾝ", nullptr},                                                              // 51
    {"が", "ガ", "ｶﾞ", "か゛", "カ゛", nullptr},                                             // 52
    {"ぎ", "ギ", "ｷﾞ", "き゛", "キ゛", nullptr},                                             // 53
    {"ぐ", "グ", "ｸﾞ", "く゛", "ク゛", nullptr},                                             // 54
    {"げ", "ゲ", "ｹﾞ", "け゛", "ケ゛", nullptr},                                             // 55
    {"ご", "ゴ", "ｺﾞ", "こ゛", "コ゛", nullptr},                                             // 56
    {"ざ", "ザ", "ｻﾞ", "さ゛", "サ゛", nullptr},                                             // 57
    {"じ", "ジ", "ｼﾞ", "し゛", "シ゛", "ぢ", "ヂ", "ﾁﾞ", "ち゛", "チ゛", nullptr},           // 58
    {"ず", "ズ", "ｽﾞ", "す゛", "ス゛", "づ", "ヅ", "ﾂﾞ", "つ゛", "ツ゛", nullptr},           // 59
    {"ぜ", "ゼ", "ｾﾞ", "せ゛", "セ゛", nullptr},                                             // 60
    {"ぞ", "ゾ", "ｿﾞ", "そ゛", "ソ゛", nullptr},                                             // 61
    {"だ", "ダ", "ﾀﾞ", "た゛", "タ゛", nullptr},                                             // 62
    {"で", "デ", "ﾃﾞ", "て゛", "テ゛", nullptr},                                             // 63
    {"ど", "ド", "ﾄﾞ", "と゛", "ト゛", nullptr},                                             // 64
    {"ば", "バ", "ﾊﾞ", "は゛", "ハ゛", "ヴァ", "う゛ぁ", "ウ゛ァ", "ｳﾞｧ", nullptr},          // 65
    {"び", "ビ", "ﾋﾞ", "ひ゛", "ヒ゛", "ヴィ", "う゛ぃ", "ウ゛ィ", "ｳﾞｨ", nullptr},          // 66
    {"ぶ", "ブ", "ﾌﾞ", "ふ゛", "フ゛", "ヴ", "ウ゛", "う゛", "ｳﾞ", nullptr},                 // 67
    {"べ", "ベ", "ﾍﾞ", "へ゛", "ヘ゛", "ヴェ", "う゛ぇ", "ウ゛ェ", "ｳﾞｪ", nullptr},          // 68
    {"ぼ", "ボ", "ﾎﾞ", "ほ゛", "ホ゛", "ヴォ", "う゛ぉ", "ウ゛ォ", "ｳﾞｫ", nullptr},          // 69
    {"ぱ", "パ", "ﾊﾟ", "は゜", "ハ゜", nullptr},                                             // 70
    {"ぴ", "ピ", "ﾋﾟ", "ひ゜", "ヒ゜", nullptr},                                             // 71
    {"ぷ", "プ", "ﾌﾟ", "ふ゜", "フ゜", nullptr},                                             // 72
    {"ぺ", "ペ", "ﾍﾟ", "へ゜", "ヘ゜", nullptr},                                             // 73
    {"ぽ", "ポ", "ﾎﾟ", "ほ゜", "ホ゜", nullptr},                                             // 74
    {"あ", "ア", "ｱ", "ぁ", "ァ", "ｧ", nullptr},                                             // 75
    {"い", "イ", "ｲ", "ぃ", "ィ", "ｨ", "ヰ", "ゐ", nullptr},                                 // 76
    {"う", "ウ", "ｳ", "ぅ", "ゥ", "ｩ", nullptr},                                             // 77
    {"え", "エ", "ｴ", "ぇ", "ェ", "ｪ", "ヱ", "ゑ", nullptr},                                 // 78
    {"お", "オ", "ｵ", "ぉ", "ォ", "ｫ", "を", "ヲ", "ｦ", nullptr},                            // 79
    {"か", "カ", "ｶ", "ヵ", nullptr},                                                        // 80
    {"き", "キ", "ｷ", nullptr},                                                              // 81
    {"く", "ク", "ｸ", nullptr},                                                              // 82
    {"け", "ケ", "ｹ", "ヶ", nullptr},                                                        // 83
    {"こ", "コ", "ｺ", nullptr},                                                              // 84
    {"さ", "サ", "ｻ", nullptr},                                                              // 85
    {"し", "シ", "ｼ", nullptr},                                                              // 86
    {"す", "ス", "ｽ", nullptr},                                                              // 87
    {"せ", "セ", "ｾ", nullptr},                                                              // 88
    {"そ", "ソ", "ｿ", nullptr},                                                              // 89
    {"た", "タ", "ﾀ", nullptr},                                                              // 90
    {"ち", "チ", "ﾁ", nullptr},                                                              // 91
    {"つ", "ツ", "ﾂ", "っ", "ッ", "ｯ", nullptr},                                             // 92
    {"て", "テ", "ﾃ", nullptr},                                                              // 93
    {"と", "ト", "ﾄ", nullptr},                                                              // 94
    {"な", "ナ", "ﾅ", nullptr},                                                              // 95
    {"に", "ニ", "ﾆ", nullptr},                                                              // 96
    {"ぬ", "ヌ", "ﾇ", nullptr},                                                              // 97
    {"ね", "ネ", "ﾈ", nullptr},                                                              // 98
    {"の", "ノ", "ﾉ", nullptr},                                                              // 99
    {"は", "ハ", "ﾊ", nullptr},                                                              // 100
    {"ひ", "ヒ", "ﾋ", nullptr},                                                              // 101
    {"ふ", "フ", "ﾌ", nullptr},                                                              // 102
    {"へ", "ヘ", "ﾍ", nullptr},                                                              // 103
    {"ほ", "ホ", "ﾎ", nullptr},                                                              // 104
    {"ま", "マ", "ﾏ", nullptr},                                                              // 105
    {"み", "ミ", "ﾐ", nullptr},                                                              // 106
    {"む", "ム", "ﾑ", nullptr},                                                              // 107
    {"め", "メ", "ﾒ", nullptr},                                                              // 108
    {"も", "モ", "ﾓ", nullptr},                                                              // 109
    {"や", "ヤ", "ﾔ", "ゃ", "ャ", "ｬ", nullptr},                                             // 110
    {"ゆ", "ユ", "ﾕ", "ゅ", "ュ", "ｭ", nullptr},                                             // 111
    {"よ", "ヨ", "ﾖ", "ょ", "ョ", "ｮ", nullptr},                                             // 112
    {"ら", "ラ", "ﾗ", nullptr},                                                              // 113
    {"り", "リ", "ﾘ", nullptr},                                                              // 114
    {"る", "ル", "ﾙ", nullptr},                                                              // 115
    {"れ", "レ", "ﾚ", nullptr},                                                              // 116
    {"ろ", "ロ", "ﾛ", nullptr},                                                              // 117
    {"わ", "ワ", "ﾜ", "うぁ", "ウァ", "ｳｧ", "ゎ", "ヮ", nullptr},                            // 118
    {"ヰ", "ゐ", "うぃ", "ウィ", "ｳｨ", nullptr},                                             // 119
    {"ヱ", "ゑ", "うぇ", "ウェ", "ｳｪ", nullptr},                                             // 120
    {"を", "ヲ", "ｦ", "うぉ", "ウォ", "ｳｫ", nullptr},                                        // 121
    {"ﾞ", "゛", nullptr},                                                                    // 122
    {"ﾟ", "゜", nullptr},                                                                    // 123
};

}  // namespace

TFuzzyCharDic::TFuzzyCharDic() {
  for (const auto& source : kRows) {
    Row row;
    for (const char* const* item = source; *item != nullptr; ++item) {
      Item it{*item, {}};
      int pos = 1;
      for (RECode c = GetChar(it.text, pos); c != kReEnd; c = GetChar(it.text, pos)) {
        it.codes.push_back(c);
      }
      row.items.push_back(std::move(it));
    }
    std::string alternation(1, '(');
    for (size_t i = 0; i < row.items.size(); ++i) {
      if (i > 0) alternation.push_back('|');
      alternation.append(TAWKStr::Escape(row.items[i].text));
    }
    alternation.push_back(')');
    row.alternation = std::move(alternation);
    rows_.push_back(std::move(row));
  }
  for (size_t r = 0; r < rows_.size(); ++r) {
    for (size_t i = 0; i < rows_[r].items.size(); ++i) {
      const auto& codes = rows_[r].items[i].codes;
      if (!codes.empty()) {
        by_first_code_[codes[0]].push_back({static_cast<int>(r), static_cast<int>(i)});
      }
    }
  }
}

const std::vector<TFuzzyCharDic::Candidate>& TFuzzyCharDic::CandidatesFor(RECode code) const {
  static const std::vector<Candidate> kNone;
  auto it = by_first_code_.find(code);
  return it == by_first_code_.end() ? kNone : it->second;
}

const TFuzzyCharDic& FuzzyCharDic() {
  static const TFuzzyCharDic dic;
  return dic;
}

}  // namespace lorvane
