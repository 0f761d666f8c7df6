#pragma once
// The engine's facade: a pattern text, its preprocessing (escaping for plain text, fuzzy
// expansion) and a small cache of compiled automata, newest first, so that going back
// to a recent pattern or mode costs no compilation.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/regex_automaton.h"
#include "search/regex_preprocessor.h"

namespace lorvane {

class TRegularExpression {
 public:
  static constexpr int kCacheCapacity = 5;

  TRegularExpression();
  virtual ~TRegularExpression();
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;

  const std::string& RegExp() const { return regexp_; }
  // Compiles `text` (or takes it from the cache). Raises ERegExpParser for a syntax error
  // found while compiling, after which the object matches as the empty pattern does.
  virtual void SetRegExp(const std::string& text);

  bool PlainText() const { return plain_text_; }
  void SetPlainText(bool on) { plain_text_ = on; }
  // Position of the last syntax error, 0 when the pattern was accepted.
  int ErrorPos() const { return error_pos_; }

  // The leftmost match, shortest at its start: 1-based start and length in bytes, 0 and 0
  // when there is none. Returns the start.
  int Match(std::string_view text, int* start, int* length);
  // Match(text) > 0, without computing where.
  bool Find(std::string_view text);

  // Hooks for tests and benchmarks: the cache of compiled patterns seen from outside.
  int ForTestingCacheSize() const { return static_cast<int>(cache_.size()); }
  int ForTestingCurrentEntry() const { return current_; }
  const std::string& ForTestingCompiledText() const { return cache_[static_cast<size_t>(current_)].text; }
  int ForTestingCompileCount() const { return compile_count_; }

 protected:
  TREPreProcessor& PreProcessor() { return preprocessor_; }
  const TREPreProcessor& PreProcessor() const { return preprocessor_; }

 private:
  struct CacheEntry {
    std::string text;  // after escaping and fuzzy expansion
    int mode;          // 1: fuzzy expansion, + 2: plain text
    std::unique_ptr<TREAutomaton> automaton;
  };

  std::string regexp_;
  std::vector<CacheEntry> cache_;
  int current_ = 0;
  TREPreProcessor preprocessor_;
  bool plain_text_ = false;
  int error_pos_ = 0;
  int compile_count_ = 0;
};

}  // namespace lorvane
