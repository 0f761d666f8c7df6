// Building and running the bit-parallel automaton (see regex_bit_nfa.h).
// Example: "ab*c" has the character transitions 0-a->3, 3-b->4 (inside the closure) and
// 3-c->1 ... giving positions a=0, b=1, c=2. The closure of a's target reaches the
// states that b and c leave, so a is followed by b and c, b by b and c: the edges
// 0->1, 1->2 (distance 1), 0->2 (distance 2) and 1->1 (distance 0). Reading "b" from the
// state {a} shifts {a} by one and by two, keeps what "b" reaches: {b}.
// Memory and work are bounded: Build refuses automata beyond kMaxPositions positions or
// whose tables would pass kMaxTableBytes, and the DFA then stays in charge.
// Tested by tests/search/regex_matcher_test.cpp (differentially against the DFA and the
// naive reference matcher).

#include "search/regex_bit_nfa.h"

#include <algorithm>
#include <bit>
#include <map>
#include <unordered_map>
#include <utility>

namespace lorvane {

namespace {

constexpr size_t kPad = 2;
constexpr size_t kMaxTableBytes = size_t{64} << 20;
// A state whose incoming positions times outgoing positions are at most this many is
// expanded into single edges; larger ones stay a source set and a target set.
constexpr size_t kPairLimit = 16;
constexpr size_t kMaxShifts = 8;
constexpr size_t kMaxClosureWork = size_t{1} << 25;

int FloorDiv64(int d) {
  return d >= 0 ? d / 64 : -((-d + 63) / 64);
}

}  // namespace

void TREBitNFA::AddBits(const std::vector<uint32_t>& sorted_positions) {
  const size_t begin = bits_.size();
  for (const uint32_t p : sorted_positions) {
    const uint32_t word = p / 64;
    const uint64_t bit = uint64_t{1} << (p % 64);
    if (bits_.size() > begin && bits_.back().word == word) {
      bits_.back().bits |= bit;
    } else {
      bits_.push_back({word, bit});
    }
  }
}

std::unique_ptr<TREBitNFA> TREBitNFA::Build(const TRE_NFA& nfa, int symbol_count) {
  std::unique_ptr<TREBitNFA> b(new TREBitNFA());

  // Positions: one per pair of states joined by character transitions, in pattern order.
  std::unordered_map<uint64_t, uint32_t> position_of;
  std::vector<uint32_t> from_of;
  std::vector<uint32_t> to_of;
  std::vector<std::pair<int32_t, uint32_t>> symbol_positions;
  bool too_many = false;
  nfa.ForEachCharTransition([&](uint32_t from, int32_t symbol, uint32_t to) {
    if (too_many) return;
    const auto found = position_of.emplace((uint64_t{from} << 32) | to,
                                           static_cast<uint32_t>(from_of.size()));
    if (found.second) {
      if (from_of.size() >= kMaxPositions) {
        too_many = true;
        return;
      }
      from_of.push_back(from);
      to_of.push_back(to);
    }
    symbol_positions.push_back({symbol, found.first->second});
  });
  if (too_many) return nullptr;
  const size_t m = from_of.size();
  const size_t words = std::max<size_t>(1, (m + 63) / 64);
  b->positions_ = m;
  b->words_ = words;
  auto set_bit = [](std::vector<uint64_t>& row, size_t offset, uint32_t p) {
    row[offset + p / 64] |= uint64_t{1} << (p % 64);
  };

  // Reach rows, one per distinct set of positions; row 0 is empty (symbols no position
  // reads, such as symbol 0).
  std::sort(symbol_positions.begin(), symbol_positions.end());
  symbol_positions.erase(std::unique(symbol_positions.begin(), symbol_positions.end()),
                         symbol_positions.end());
  b->reach_of_symbol_.assign(static_cast<size_t>(std::max(symbol_count, 1)), 0);
  b->reach_.assign(words, 0);
  std::map<std::vector<uint64_t>, uint32_t> row_offset;
  std::vector<uint64_t> row(words);
  for (size_t i = 0; i < symbol_positions.size();) {
    const int32_t symbol = symbol_positions[i].first;
    std::fill(row.begin(), row.end(), 0);
    for (; i < symbol_positions.size() && symbol_positions[i].first == symbol; ++i) {
      set_bit(row, 0, symbol_positions[i].second);
    }
    auto found = row_offset.find(row);
    if (found == row_offset.end()) {
      if ((b->reach_.size() + words) * sizeof(uint64_t) > kMaxTableBytes) return nullptr;
      found = row_offset.emplace(row, static_cast<uint32_t>(b->reach_.size())).first;
      b->reach_.insert(b->reach_.end(), row.begin(), row.end());
    }
    if (symbol >= 0 && static_cast<size_t>(symbol) < b->reach_of_symbol_.size()) {
      b->reach_of_symbol_[static_cast<size_t>(symbol)] = found->second;
    }
  }

  // Positions leaving each state and positions entering each state.
  const size_t states = nfa.StateCount();
  std::vector<std::vector<uint32_t>> out(states);
  std::vector<std::vector<uint32_t>> in(states);
  for (uint32_t p = 0; p < m; ++p) {
    out[from_of[p]].push_back(p);
    in[to_of[p]].push_back(p);
  }

  // Empty-transition closures: a position u is followed by every position leaving a
  // state in the closure of u's target.
  std::vector<uint32_t> mark(states, 0);
  uint32_t generation = 0;
  std::vector<uint32_t> closure;
  size_t work = 0;
  auto close = [&](uint32_t state) -> bool {
    ++generation;
    closure.assign(1, state);
    mark[state] = generation;
    for (size_t k = 0; k < closure.size(); ++k) {
      for (const auto& t : nfa.Transitions(closure[k])) {
        if (t.symbol == TRE_NFA::kEpsilon && mark[t.target] != generation) {
          mark[t.target] = generation;
          closure.push_back(t.target);
        }
      }
    }
    work += closure.size();
    return work <= kMaxClosureWork;
  };

  b->first_.assign(words, 0);
  b->last_.assign(words, 0);
  close(nfa.Entry());
  for (const uint32_t x : closure) {
    for (const uint32_t p : out[x]) set_bit(b->first_, 0, p);
  }
  std::vector<std::vector<uint32_t>> pre(states);  // positions followed by out[x]
  for (uint32_t target = 0; target < states; ++target) {
    if (in[target].empty()) continue;
    if (!close(target)) return nullptr;
    for (const uint32_t x : closure) {
      if (x == nfa.Exit()) {
        for (const uint32_t p : in[target]) set_bit(b->last_, 0, p);
      }
      if (out[x].empty()) continue;
      pre[x].insert(pre[x].end(), in[target].begin(), in[target].end());
      work += in[target].size();
    }
    if (work > kMaxClosureWork) return nullptr;
  }

  // Small many-to-many sets become single edges; large ones stay groups.
  std::vector<std::pair<uint32_t, uint32_t>> edges;
  for (uint32_t x = 0; x < states; ++x) {
    std::vector<uint32_t>& sources = pre[x];
    if (sources.empty() || out[x].empty()) continue;
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    if (sources.size() * out[x].size() <= kPairLimit) {
      for (const uint32_t u : sources) {
        for (const uint32_t v : out[x]) edges.push_back({u, v});
      }
      continue;
    }
    Group g{};
    g.sources_begin = static_cast<uint32_t>(b->bits_.size());
    b->AddBits(sources);
    g.sources_end = static_cast<uint32_t>(b->bits_.size());
    g.targets_begin = g.sources_end;
    b->AddBits(out[x]);
    g.targets_end = static_cast<uint32_t>(b->bits_.size());
    b->groups_.push_back(g);
    b->cost_ += (g.sources_end - g.sources_begin) + (g.targets_end - g.targets_begin);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  // The most common distances become shifts of the whole row.
  std::map<int, std::vector<uint32_t>> sources_at;  // distance -> sources (ascending)
  for (const auto& [u, v] : edges) {
    sources_at[static_cast<int>(v) - static_cast<int>(u)].push_back(u);
  }
  std::vector<std::pair<size_t, int>> by_count;
  for (const auto& [d, sources] : sources_at) by_count.push_back({sources.size(), d});
  std::sort(by_count.begin(), by_count.end(), [](const auto& a, const auto& c) {
    return a.first != c.first ? a.first > c.first : a.second < c.second;
  });
  std::map<int, bool> is_shift;
  for (const auto& [count, d] : by_count) {
    const std::vector<uint32_t>& sources = sources_at[d];
    const size_t span = sources.back() / 64 - sources.front() / 64 + 1;
    if (b->shifts_.size() >= kMaxShifts || count < 2 || count * 4 < span) continue;
    is_shift[d] = true;
    Shift s{};
    s.word_shift = FloorDiv64(d);
    s.bit_shift = static_cast<unsigned>(d - 64 * s.word_shift);
    s.first_word = sources.front() / 64;
    s.last_word = sources.back() / 64;
    s.masks = static_cast<uint32_t>(b->masks_.size());
    b->masks_.resize(b->masks_.size() + span, 0);
    for (const uint32_t u : sources) {
      b->masks_[s.masks + u / 64 - s.first_word] |= uint64_t{1} << (u % 64);
    }
    b->shifts_.push_back(s);
    b->cost_ += span * (s.bit_shift != 0 ? 2 : 1);
  }

  // The remaining edges, applied from each active source.
  std::vector<std::vector<uint32_t>> targets_of(m);
  for (const auto& [u, v] : edges) {
    if (!is_shift.count(static_cast<int>(v) - static_cast<int>(u))) targets_of[u].push_back(v);
  }
  b->exception_mask_.assign(words, 0);
  b->exception_begin_.assign(m + 1, 0);
  uint32_t lowest = static_cast<uint32_t>(words);
  uint32_t highest = 0;
  for (uint32_t u = 0; u < m; ++u) {
    b->exception_begin_[u] = static_cast<uint32_t>(b->bits_.size());
    if (targets_of[u].empty()) continue;
    b->has_exceptions_ = true;
    set_bit(b->exception_mask_, 0, u);
    lowest = std::min(lowest, u / 64);
    highest = std::max(highest, u / 64);
    b->AddBits(targets_of[u]);
  }
  b->exception_begin_[m] = static_cast<uint32_t>(b->bits_.size());
  b->exception_first_word_ = lowest;
  b->exception_last_word_ = highest;
  if (b->has_exceptions_) b->cost_ += highest - lowest + 1;
  if ((b->bits_.size() * sizeof(Bits) + b->masks_.size() * sizeof(uint64_t)) > kMaxTableBytes) {
    return nullptr;
  }
  b->cost_ += 2 * words;

  b->current_.assign(words + 2 * kPad, 0);
  b->next_.assign(words + 2 * kPad, 0);
  return b;
}

void TREBitNFA::Clear() {
  std::fill(current_.begin(), current_.end(), 0);
  empty_ = true;
}

int TREBitNFA::Step(int symbol, bool restart) {
  const size_t words = words_;
  const uint64_t* reach = &reach_[reach_of_symbol_[static_cast<size_t>(symbol)]];
  uint64_t* next = next_.data() + kPad;
  const uint64_t* current = current_.data() + kPad;
  uint64_t any = 0;
  uint64_t accepting = 0;
  if (empty_) {
    if (!restart) return 0;
    for (size_t w = 0; w < words; ++w) {
      const uint64_t v = first_[w] & reach[w];
      next[w] = v;
      any |= v;
      accepting |= v & last_[w];
    }
  } else {
    std::fill(next, next + words, 0);
    for (const Shift& s : shifts_) {
      const uint64_t* mask = &masks_[s.masks];
      const size_t span = s.last_word - s.first_word + 1;
      const uint64_t* from = current + s.first_word;
      // The targets of word w are words w + word_shift and the one after: inside the
      // row or its padding.
      uint64_t* to = next_.data() + (static_cast<ptrdiff_t>(kPad + s.first_word) + s.word_shift);
      if (s.bit_shift == 0) {
        for (size_t w = 0; w < span; ++w) to[w] |= from[w] & mask[w];
      } else {
        const unsigned r = s.bit_shift;
        for (size_t w = 0; w < span; ++w) {
          const uint64_t x = from[w] & mask[w];
          to[w] |= x << r;
          to[w + 1] |= x >> (64 - r);
        }
      }
    }
    for (const Group& g : groups_) {
      uint64_t hit = 0;
      for (uint32_t k = g.sources_begin; k < g.sources_end; ++k) {
        hit |= current[bits_[k].word] & bits_[k].bits;
      }
      if (hit == 0) continue;
      for (uint32_t k = g.targets_begin; k < g.targets_end; ++k) {
        next[bits_[k].word] |= bits_[k].bits;
      }
    }
    if (has_exceptions_) {
      for (uint32_t w = exception_first_word_; w <= exception_last_word_; ++w) {
        uint64_t x = current[w] & exception_mask_[w];
        while (x != 0) {
          const uint32_t u = w * 64 + static_cast<uint32_t>(std::countr_zero(x));
          x &= x - 1;
          for (uint32_t k = exception_begin_[u]; k < exception_begin_[u + 1]; ++k) {
            next[bits_[k].word] |= bits_[k].bits;
          }
        }
      }
    }
    if (restart) {
      for (size_t w = 0; w < words; ++w) {
        const uint64_t v = (next[w] | first_[w]) & reach[w];
        next[w] = v;
        any |= v;
        accepting |= v & last_[w];
      }
    } else {
      for (size_t w = 0; w < words; ++w) {
        const uint64_t v = next[w] & reach[w];
        next[w] = v;
        any |= v;
        accepting |= v & last_[w];
      }
    }
  }
  current_.swap(next_);
  empty_ = any == 0;
  return (any != 0 ? kAlive : 0) | (accepting != 0 ? kAccepting : 0);
}

}  // namespace lorvane
