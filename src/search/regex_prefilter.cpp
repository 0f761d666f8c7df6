// Literal prefilters (see regex_prefilter.h).
// Required characters come from the split parse tree, bottom up: a leaf requires its own
// codes (if few), a concatenation the rarer requirement of its two sides, an alternation
// the union of both sides' requirements, a closure or the empty string nothing. "inv[a-z]*ce"
// requires "v" (the rarest of i, n, v, c, e in mail text); the powerful "サーバ" requires
// one of サ, さ, ｻ.
// Start characters are found at character boundaries only: a byte hit at q is a
// character's first byte exactly when an even number of lead bytes stands between q and
// the last byte before it that cannot be a lead byte (or a known boundary).
// Tested differentially by tests/search/regex_matcher_test.cpp, with the filters on and
// off against the reference matcher (trail bytes "\\" and "|" among its texts).

#include "search/regex_prefilter.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "common/mbstring.h"

namespace lorvane {

namespace {

int CodeCost(RECode code) {
  if (code < 0x100) return MailByteFrequency(static_cast<unsigned char>(code));
  return MailByteFrequency(static_cast<unsigned char>(code >> 8)) *
             MailByteFrequency(static_cast<unsigned char>(code & 0xFF)) / 256 +
         1;
}

// Appends the readable codes of lo..hi; false (and `codes` unusable) past `limit`.
bool AppendReadableCodes(RECode lo, RECode hi, size_t limit, std::vector<RECode>* codes) {
  for (unsigned c = lo; c <= hi; ++c) {
    if ((c >> 8) != 0 && !IsLeadByte(static_cast<unsigned char>(c >> 8))) {
      c |= 0xFF;  // no code of this high byte is readable: on to the next one
      continue;
    }
    if (!IsReadableCode(static_cast<RECode>(c))) continue;
    if (codes->size() >= limit) return false;
    codes->push_back(static_cast<RECode>(c));
  }
  return true;
}

std::vector<TSubstringFinder> FindersOf(const std::vector<RECode>& codes) {
  std::vector<TSubstringFinder> finders;
  finders.reserve(codes.size());
  for (const RECode c : codes) finders.emplace_back(CodeToText(c));
  return finders;
}

struct Requirement {
  bool valid = false;
  std::vector<RECode> codes;  // sorted
  int cost = 0;
};

int CostOf(const std::vector<RECode>& codes) {
  int cost = 0;
  for (const RECode c : codes) cost += CodeCost(c);
  return cost;
}

}  // namespace

bool IsReadableCode(RECode code) {
  const auto high = static_cast<unsigned char>(code >> 8);
  const auto low = static_cast<unsigned char>(code & 0xFF);
  if (high == 0) return low != 0 && !IsLeadByte(low) && !IsReWhiteSpace(low);
  return IsLeadByte(high) && low != 0 && !IsReWhiteSpace(code);
}

TRERequiredChars::TRERequiredChars(std::vector<RECode> codes)
    : codes_(std::move(codes)), finders_(FindersOf(codes_)) {}

std::unique_ptr<TRERequiredChars> TRERequiredChars::FromTree(const TREParseTree& tree) {
  const TRENode* root = tree.root();
  if (root == nullptr) return nullptr;
  // Post-order over the DAG with an explicit stack; a shared node is computed once.
  std::unordered_map<const TRENode*, Requirement> memo;
  std::vector<std::pair<const TRENode*, bool>> stack{{root, false}};
  while (!stack.empty()) {
    const auto [n, children_done] = stack.back();
    if (memo.count(n) != 0) {
      stack.pop_back();
      continue;
    }
    if (!children_done && (n->op == reop_Concat || n->op == reop_Union)) {
      stack.back().second = true;
      if (memo.count(n->left) == 0) stack.push_back({n->left, false});
      if (memo.count(n->right) == 0) stack.push_back({n->right, false});
      continue;
    }
    stack.pop_back();
    Requirement r;
    switch (n->op) {
      case reop_Char:
        r.valid = AppendReadableCodes(n->lo, n->hi, kMaxChars, &r.codes);
        r.cost = CostOf(r.codes);
        break;
      case reop_Concat: {
        const Requirement& a = memo[n->left];
        const Requirement& b = memo[n->right];
        if (a.valid && (!b.valid || a.cost <= b.cost)) {
          r = a;
        } else if (b.valid) {
          r = b;
        }
        break;
      }
      case reop_Union: {
        const Requirement& a = memo[n->left];
        const Requirement& b = memo[n->right];
        if (!a.valid || !b.valid) break;
        std::set_union(a.codes.begin(), a.codes.end(), b.codes.begin(), b.codes.end(),
                       std::back_inserter(r.codes));
        r.valid = r.codes.size() <= kMaxChars;
        r.cost = CostOf(r.codes);
        break;
      }
      default:  // a closure or the empty string requires nothing
        break;
    }
    memo.emplace(n, std::move(r));
  }
  const Requirement& top = memo[root];
  if (!top.valid) return nullptr;
  return std::unique_ptr<TRERequiredChars>(new TRERequiredChars(top.codes));
}

bool TRERequiredChars::MayOccurIn(std::string_view text) const {
  for (const TSubstringFinder& f : finders_) {
    if (f.Find(text)) return true;
  }
  return false;
}

TREStartChars::TREStartChars(const std::vector<RECode>& codes)
    : codes_(codes), finders_(FindersOf(codes_)) {}

std::unique_ptr<TREStartChars> TREStartChars::FromLeaves(
    const std::vector<const TRENode*>& leaves) {
  std::vector<RECode> codes;
  for (const TRENode* leaf : leaves) {
    if (!AppendReadableCodes(leaf->lo, leaf->hi, kMaxChars, &codes)) return nullptr;
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return std::make_unique<TREStartChars>(codes);
}

TREStartChars::TScan::TScan(const TREStartChars& chars, const unsigned char* begin,
                            const unsigned char* end)
    : chars_(chars), begin_(begin), end_(end), nul_checked_(begin) {}

const unsigned char* TREStartChars::TScan::Next(const unsigned char* from) {
  // Below this many bytes per candidate, byte searches restart too often to pay.
  constexpr size_t kMinBytesPerCandidate = 16;
  constexpr size_t kCandidatesBeforeJudging = 64;
  nul_checked_ = std::max(nul_checked_, from);
  for (;;) {
    const unsigned char* best = end_;
    for (size_t k = 0; k < chars_.finders_.size(); ++k) {
      const unsigned char*& at = next_[k];
      if (at == nullptr || at < from) {
        const std::string_view rest(reinterpret_cast<const char*>(from),
                                    static_cast<size_t>(end_ - from));
        const size_t offset = chars_.finders_[k].FindFirst(rest);
        at = offset == std::string_view::npos ? end_ : from + offset;
      }
      best = std::min(best, at);
    }
    if (best == end_) return end_;
    if (nul_checked_ < best) {
      if (std::memchr(nul_checked_, 0, static_cast<size_t>(best - nul_checked_)) != nullptr) {
        return end_;
      }
      nul_checked_ = best;
    }
    size_t leads = 0;
    for (const unsigned char* b = best; b > from && IsLeadByte(b[-1]); --b) ++leads;
    if (leads % 2 == 0) {
      ++candidates_;
      if (candidates_ > kCandidatesBeforeJudging &&
          candidates_ * kMinBytesPerCandidate > static_cast<size_t>(best - begin_)) {
        dense_ = true;
      }
      return best;
    }
    from = best + 1;  // best is a second byte; the character after it begins a byte later
  }
}

}  // namespace lorvane
