// The keyword query. A rebuild splits the keyword text, gives each keyword a matcher
// (kept in its slot and reused by later rebuilds), checks the logic expression, and
// renders the reading. The logic expression names keyword k by the character 'A' + k:
//   "{a}+{b}*{c}"  ->  "A+B*C"  = a OR (b AND c)
// Evaluation splits at the last "+" outside parentheses, else the last "*", so AND
// binds tighter than OR, and never evaluates a right side the left side decided.
// Tested by tests/search/keyword_query_test.cpp.

#include "search/keyword_query.h"

#include "common/mbstring.h"
#include "search/regex_error.h"

namespace lorvane {

namespace {

constexpr std::string_view kFullBlank = "　";

bool IsOperator(char c) {
  return c == '+' || c == '*' || c == '!' || c == '(' || c == ')';
}

// Full-width operators outside a keyword read as their half-width forms.
std::string_view HalfWidthOperator(std::string_view ch) {
  static const std::pair<std::string_view, std::string_view> kForms[] = {
      {"　", " "}, {"＋", "+"}, {"＊", "*"}, {"！", "!"}, {"（", "("}, {"）", ")"}, {"｛", "{"}};
  for (auto [full, half] : kForms) {
    if (ch == full) return half;
  }
  return ch;
}

}  // namespace

TRSearch::TRSearch() = default;
TRSearch::~TRSearch() = default;

void TRSearch::SetMethod(TMethod method) {
  if (method == method_) return;
  method_ = method;
  Rebuild();
}

void TRSearch::SetUseRegExp(bool on) {
  if (on == use_regexp_) return;
  use_regexp_ = on;
  Rebuild();
}

void TRSearch::SetPowerful(bool on) {
  if (on == powerful_) return;
  powerful_ = on;
  Rebuild();
}

void TRSearch::SetSearchPattern(const std::string& text) {
  if (text != pattern_) pattern_ = text;
  Rebuild();
}

void TRSearch::SetCondition(const std::string& text, bool use_regexp, bool powerful) {
  pattern_ = text;
  use_regexp_ = use_regexp;
  powerful_ = powerful;
  Rebuild();
}

bool TRSearch::PatternError() const {
  if (logic_error_pos_ != 0) return true;
  if (use_regexp_) {
    for (int k = 0; k < in_use_; ++k) {
      if (matchers_[static_cast<size_t>(k)]->ErrorPos() != 0) return true;
    }
  }
  return false;
}

void TRSearch::Rebuild() {
  logic_error_pos_ = 0;
  in_use_ = 0;
  logic_.clear();
  overflow_keyword_.clear();
  overflow_negative_ = false;
  plain_.clear();

  const bool all_added = method_ == mtLogic ? SplitLogic() : SplitWords();
  if (!all_added) {
    logic_error_pos_ = static_cast<int>(logic_.size());
  } else if (method_ == mtLogic) {
    CheckLogic();
  }
  if (!use_regexp_ && !powerful_ && method_ != mtLogic) {
    for (int k = 0; k < in_use_; ++k)
      plain_.emplace_back(matchers_[static_cast<size_t>(k)]->RegExp());
  }
  Render();
}

// Returns false when the keyword could not be added; nothing further is added then.
bool TRSearch::AddKeyword(std::string_view keyword, bool negative) {
  const int k = in_use_;
  logic_ += static_cast<char>('A' + k);
  if (k >= kMaxKeywords) {
    overflow_keyword_ = keyword;
    overflow_negative_ = negative;
    return false;
  }
  auto& slot = matchers_[static_cast<size_t>(k)];
  if (!slot) slot = std::make_unique<TAWKStr>();
  if (slot->UseFuzzyCharDic() != powerful_) {
    try {
      slot->SetUseFuzzyCharDic(powerful_);
    } catch (const std::exception&) {
      // The slot's previous pattern may not compile in the new mode; it is replaced below.
    }
  }
  slot->SetNegative(negative);
  slot->SetPlainText(!use_regexp_);
  ++in_use_;
  try {
    slot->SetRegExp(std::string(keyword));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool TRSearch::SplitWords() {
  std::string_view rest = Trim(pattern_);
  while (!rest.empty()) {
    size_t blank = rest.size();
    size_t blank_width = 0;
    for (size_t i = 0; i < rest.size(); i += CharWidthAt(rest, i)) {
      if (rest[i] == ' ' || rest.substr(i, 2) == kFullBlank) {
        blank = i;
        blank_width = rest[i] == ' ' ? 1 : 2;
        break;
      }
    }
    std::string_view keyword;
    if (blank_width == 0) {
      keyword = rest;
      rest = {};
    } else {
      keyword = TrimRight(rest.substr(0, blank));
      rest = TrimLeft(rest.substr(blank + blank_width));
    }
    // Two full-width blanks in a row would leave an empty keyword, which every text
    // contains: it would make an OR condition match everything.
    if (keyword.empty()) continue;
    const size_t mark = keyword[0] == '!' ? 1 : keyword.substr(0, 2) == "！" ? 2 : 0;
    // A negation mark alone is an ordinary keyword.
    const bool negative = mark > 0 && keyword.size() > mark;
    if (!AddKeyword(negative ? keyword.substr(mark) : keyword, negative)) return false;
  }
  return true;
}

bool TRSearch::SplitLogic() {
  std::string_view text = pattern_;
  bool in_keyword = false;
  bool escaped = false;
  std::string buffer;
  for (size_t i = 0; i < text.size();) {
    const size_t w = CharWidthAt(text, i);
    std::string_view ch = text.substr(i, w);
    i += w;
    if (in_keyword) {
      if (escaped) {
        buffer += ch;
        escaped = false;
      } else if (ch == "}" || ch == "｝") {
        if (!AddKeyword(buffer, false)) return false;
        in_keyword = false;
      } else {
        if (ch == "￥") ch = "\\";
        buffer += ch;
        if (ch == "\\") escaped = true;
      }
      continue;
    }
    ch = HalfWidthOperator(ch);
    if (ch == " ") continue;
    if (ch.size() == 1 && IsOperator(ch[0])) {
      logic_ += ch;
    } else if (ch == "{") {
      buffer.clear();
      in_keyword = true;
    } else {
      buffer = ch;
      in_keyword = true;
    }
  }
  if (in_keyword && !buffer.empty()) return AddKeyword(buffer, false);
  return true;
}

void TRSearch::CheckLogic() {
  const int n = static_cast<int>(logic_.size());
  int depth = 0;
  for (int i = 0; i < n; ++i) {
    if (logic_[static_cast<size_t>(i)] == '(') ++depth;
    if (logic_[static_cast<size_t>(i)] == ')' && --depth < 0) {
      logic_error_pos_ = i + 1;
      return;
    }
  }
  if (depth > 0) {
    logic_error_pos_ = n + 1;
    return;
  }
  if (n == 0) {
    if (!pattern_.empty()) logic_error_pos_ = 1;
    return;
  }
  if (logic_[0] == '*' || logic_[0] == '+') {
    logic_error_pos_ = 1;
    return;
  }
  for (int i = 0; i < n; ++i) {
    const char c = logic_[static_cast<size_t>(i)];
    const char next = i + 1 < n ? logic_[static_cast<size_t>(i) + 1] : '\0';
    const bool next_binary_or_close = next == '*' || next == '+' || next == ')';
    bool ok;
    if (c == '*' || c == '+' || c == '!' || c == '(') {
      ok = next != '\0' && !next_binary_or_close;
    } else {  // a keyword letter or ")"
      ok = next == '\0' || next_binary_or_close;
    }
    if (!ok) {
      logic_error_pos_ = i + 2;
      return;
    }
  }
}

void TRSearch::Render() {
  if (view_ == nullptr) return;
  view_->Clear();
  if (method_ != mtLogic) {
    // One letter per keyword in use, plus one for a keyword beyond the limit.
    const int count = static_cast<int>(logic_.size());
    for (int k = 0; k < count; ++k) {
      if (k > 0) view_->Append(method_ == mtAND ? " * " : " + ", rcBlue);
      const bool negative =
          k < kMaxKeywords ? matchers_[static_cast<size_t>(k)]->Negative() : overflow_negative_;
      if (negative) view_->Append("!", rcBlue);
      RenderKeyword(k, logic_error_pos_ == k + 1);
    }
    return;
  }
  const int n = static_cast<int>(logic_.size());
  for (int i = 0; i < n; ++i) {
    const char c = logic_[static_cast<size_t>(i)];
    const TRunColour colour = logic_error_pos_ == i + 1 ? rcRed : rcBlue;
    if (c == '*' || c == '+') {
      view_->Append(c == '*' ? " * " : " + ", colour);
    } else if (IsOperator(c)) {
      view_->Append(std::string_view(logic_).substr(static_cast<size_t>(i), 1), colour);
    } else {
      RenderKeyword(c - 'A', logic_error_pos_ == i + 1);
    }
  }
  if (logic_error_pos_ > n) view_->Append("?", rcRed);
}

void TRSearch::RenderKeyword(int k, bool erroneous) {
  const bool over_limit = k >= kMaxKeywords;
  const std::string_view text =
      over_limit ? overflow_keyword_ : matchers_[static_cast<size_t>(k)]->RegExp();
  const int e = over_limit ? 0 : matchers_[static_cast<size_t>(k)]->ErrorPos();
  view_->Append("{", rcBlue);
  if (erroneous && e == 0) {
    view_->Append(text, rcRed);
  } else if (e > 0) {
    // Byte e - 1 is at fault. It is shown red together with the rest of its character,
    // so that a double-byte character is never cut in two.
    size_t red_begin = 0;
    size_t red_end = 0;
    if (e >= 2 && static_cast<size_t>(e - 2) < text.size()) {
      const auto bad = static_cast<size_t>(e - 2);
      while (red_begin + CharWidthAt(text, red_begin) <= bad) {
        red_begin += CharWidthAt(text, red_begin);
      }
      red_end = red_begin + CharWidthAt(text, red_begin);
    } else if (e >= 2) {
      red_begin = red_end = text.size();
    }
    view_->Append(text.substr(0, red_begin), rcBlack);
    view_->Append(text.substr(red_begin, red_end - red_begin), rcRed);
    view_->Append(text.substr(red_end), rcBlack);
    if (text.size() < static_cast<size_t>(e - 1)) view_->Append("?", rcRed);
  } else {
    view_->Append(text, rcBlack);
  }
  view_->Append("}", rcBlue);
}

bool TRSearch::KeywordFound(int k, std::string_view text) {
  if (!plain_.empty()) return plain_[static_cast<size_t>(k)].Find(text);
  return matchers_[static_cast<size_t>(k)]->Find(text);
}

bool TRSearch::IsMatch(std::string_view text) {
  if (pattern_.empty()) return true;
  if (PatternError()) return false;
  if (method_ == mtLogic) return Evaluate(logic_, text);
  for (int k = 0; k < in_use_; ++k) {
    const bool satisfied = KeywordFound(k, text) != matchers_[static_cast<size_t>(k)]->Negative();
    if (method_ == mtAND && !satisfied) return false;
    if (method_ == mtOR && satisfied) return true;
  }
  return method_ == mtAND;
}

// The expression has passed CheckLogic, so binary operators are at most 30 and the
// recursion (on left operands only) at most that deep.
bool TRSearch::Evaluate(std::string_view e, std::string_view text) {
  bool invert = false;
  for (;;) {
    int depth = 0;
    size_t last_plus = std::string_view::npos;
    size_t last_star = std::string_view::npos;
    for (size_t i = 0; i < e.size(); ++i) {
      if (e[i] == '(') ++depth;
      if (e[i] == ')') --depth;
      if (depth == 0 && e[i] == '+') last_plus = i;
      if (depth == 0 && e[i] == '*') last_star = i;
    }
    const size_t op = last_plus != std::string_view::npos ? last_plus : last_star;
    if (op != std::string_view::npos) {
      const bool left = Evaluate(e.substr(0, op), text);
      if (e[op] == '*' && !left) return invert;
      if (e[op] == '+' && left) return !invert;
      e = e.substr(op + 1);
      continue;
    }
    if (!e.empty() && e[0] == '!') {
      invert = !invert;
      e = e.substr(1);
      continue;
    }
    if (e.size() >= 2 && e.front() == '(' && e.back() == ')') {
      e = e.substr(1, e.size() - 2);
      continue;
    }
    const int k = e.size() == 1 ? e[0] - 'A' : -1;
    if (k < 0 || k >= in_use_) return invert;  // not reached for a checked expression
    return KeywordFound(k, text) != invert;
  }
}

}  // namespace lorvane
