// Pattern text -> cached automaton.
//   1. plain text is escaped; 2. the fuzzy preprocessor expands it (a scanner error there
//   is recorded in ErrorPos and the empty expansion is used, not raised); 3. the pair
//   (text, mode) is looked up in the cache, else compiled and inserted at index 1.
// Entry 0, the empty pattern, is never evicted and becomes current after any failure.
// An entry is inserted only once it compiled, so a failed pattern is never served later.
// Tested by tests/search/awk_str_test.cpp.

#include "search/regular_expression.h"

#include "search/awk_str.h"
#include "search/regex_error.h"

namespace lorvane {

TRegularExpression::TRegularExpression() {
  cache_.push_back({"", 0, std::make_unique<TREAutomaton>("")});
}

TRegularExpression::~TRegularExpression() = default;

void TRegularExpression::SetRegExp(const std::string& text) {
  error_pos_ = 0;
  regexp_ = text;
  std::string working = plain_text_ ? TAWKStr::Escape(text) : text;
  try {
    preprocessor_.Run(working);
  } catch (const ERegExpParser& e) {
    error_pos_ = e.Position();
  }
  working = preprocessor_.Output();
  const int mode = (preprocessor_.UseFuzzyCharDic() ? 1 : 0) + (plain_text_ ? 2 : 0);

  for (size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i].mode == mode && cache_[i].text == working) {
      current_ = static_cast<int>(i);
      return;
    }
  }
  try {
    ++compile_count_;
    auto automaton = std::make_unique<TREAutomaton>(working);
    if (cache_.size() >= static_cast<size_t>(kCacheCapacity)) cache_.pop_back();
    cache_.insert(cache_.begin() + 1, CacheEntry{std::move(working), mode, std::move(automaton)});
    current_ = 1;
  } catch (const ERegExpParser& e) {
    error_pos_ = e.Position();
    current_ = 0;
    throw;
  } catch (...) {
    current_ = 0;
    throw;
  }
}

int TRegularExpression::Match(std::string_view text, int* start, int* length) {
  return cache_[static_cast<size_t>(current_)].automaton->Match(text, start, length);
}

bool TRegularExpression::Find(std::string_view text) {
  return cache_[static_cast<size_t>(current_)].automaton->Find(text);
}

}  // namespace lorvane
