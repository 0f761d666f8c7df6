#pragma once
// The keyword query: the text of the keyword box becomes an AND, OR or logic condition
// over up to 31 keywords, tested against one message text at a time, and rendered as
// coloured runs that show how the keywords were understood.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/awk_str.h"
#include "search/substring_finder.h"

namespace lorvane {

enum TMethod { mtAND, mtOR, mtLogic };

// Structure in blue, keyword text in black, the erroneous piece in red.
enum TRunColour { rcBlue, rcBlack, rcRed };

struct TPatternRun {
  TRunColour colour;
  std::string text;
  bool operator==(const TPatternRun&) const = default;
};

// Where the rendering goes: the GUI's keyword-check box, the CLI, a test.
class IPatternView {
 public:
  virtual ~IPatternView() = default;
  virtual void Clear() = 0;
  virtual void Append(std::string_view text, TRunColour colour) = 0;
};

// A rendering kept as a list of runs.
class TPatternRuns : public IPatternView {
 public:
  void Clear() override { runs_.clear(); }
  void Append(std::string_view text, TRunColour colour) override {
    runs_.push_back({colour, std::string(text)});
  }
  const std::vector<TPatternRun>& Runs() const { return runs_; }

 private:
  std::vector<TPatternRun> runs_;
};

class TRSearch {
 public:
  static constexpr int kMaxKeywords = 31;

  TRSearch();
  ~TRSearch();
  TRSearch(const TRSearch&) = delete;
  TRSearch& operator=(const TRSearch&) = delete;

  IPatternView* PatternRichEdit() const { return view_; }
  void SetPatternRichEdit(IPatternView* view) { view_ = view; }

  // Setting a property to a different value rebuilds the condition.
  TMethod Method() const { return method_; }
  void SetMethod(TMethod method);
  bool UseRegExp() const { return use_regexp_; }
  void SetUseRegExp(bool on);
  bool Powerful() const { return powerful_; }
  void SetPowerful(bool on);
  const std::string& SearchPattern() const { return pattern_; }
  void SetSearchPattern(const std::string& text);  // always rebuilds

  // The three values at once, rebuilt once.
  void SetCondition(const std::string& text, bool use_regexp, bool powerful);

  // The condition cannot be used: an error in the logic expression, too many keywords,
  // a keyword the engine refused, or (with regular expressions) a syntax error.
  bool PatternError() const;

  // Does `text` satisfy the condition? Never true while PatternError() holds.
  bool IsMatch(std::string_view text);

  // What the rebuild produced, for the front ends and tests.
  int KeywordCount() const { return in_use_; }
  // The matcher of keyword k (0 <= k < KeywordCount()), which shows where it matches.
  TAWKStr& Matcher(int k) { return *matchers_[static_cast<size_t>(k)]; }
  const std::string& LogicExpression() const { return logic_; }
  int LogicErrorPos() const { return logic_error_pos_; }

 private:
  void Rebuild();
  bool AddKeyword(std::string_view keyword, bool negative);
  bool SplitWords();
  bool SplitLogic();
  void CheckLogic();
  void Render();
  void RenderKeyword(int k, bool erroneous);
  bool KeywordFound(int k, std::string_view text);
  bool Evaluate(std::string_view e, std::string_view text);

  IPatternView* view_ = nullptr;
  TMethod method_ = mtAND;
  bool use_regexp_ = false;
  bool powerful_ = false;
  std::string pattern_;

  std::array<std::unique_ptr<TAWKStr>, kMaxKeywords> matchers_;
  int in_use_ = 0;
  std::string logic_;
  int logic_error_pos_ = 0;
  std::string overflow_keyword_;  // the keyword beyond the limit, shown in red
  bool overflow_negative_ = false;
  std::vector<TSubstringFinder> plain_;  // the fast path's searchers, one per keyword
};

}  // namespace lorvane
