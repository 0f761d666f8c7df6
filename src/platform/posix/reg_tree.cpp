// The in-memory key tree behind the POSIX registry. Removed keys and values stay behind
// as tombstones, so positions held in the name indexes never move; a removed subtree's
// contents are freed at once. Merging hives and resolving paths are posix_registry's work.
// Tested by tests/platform/posix/posix_registry_test.cpp.

#include "platform/posix/reg_tree.h"

#include <algorithm>

#include "common/mbstring.h"

namespace lorvane {

namespace {

constexpr uint32_t kNotFound = UINT32_MAX;

constexpr unsigned char LowerChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace

// The trail byte of a double-byte character is never folded.
bool TRegTree::NameLess(std::string_view a, std::string_view b) {
  size_t i = 0;
  while (i < a.size() && i < b.size()) {
    const size_t width = CharWidthAt(a, i);
    for (size_t k = 0; k < width && i < a.size() && i < b.size(); ++k, ++i) {
      auto ca = static_cast<unsigned char>(a[i]);
      auto cb = static_cast<unsigned char>(b[i]);
      if (width == 1) ca = LowerChar(ca), cb = LowerChar(cb);
      if (ca != cb) return ca < cb;
    }
  }
  return a.size() - i < b.size() - i;
}

TRegTree::TRegTree() {
  nodes_.emplace_back();
}

uint32_t TRegTree::FindChildPosition(const TNode& parent, std::string_view name) const {
  if (parent.child_index) {
    const auto it = parent.child_index->find(UpperAscii(name));
    return it == parent.child_index->end() ? kNotFound : it->second;
  }
  for (uint32_t i = 0; i < parent.children.size(); ++i) {
    const TNode& child = nodes_[parent.children[i]];
    if (!child.removed && SameTextAscii(child.name, name)) return i;
  }
  return kNotFound;
}

uint32_t TRegTree::FindValuePosition(const TNode& key, std::string_view name) const {
  if (key.value_index) {
    const auto it = key.value_index->find(UpperAscii(name));
    return it == key.value_index->end() ? kNotFound : it->second;
  }
  for (uint32_t i = 0; i < key.values.size(); ++i) {
    if (!key.values[i].removed && SameTextAscii(key.values[i].name, name)) return i;
  }
  return kNotFound;
}

TRegTree::TNodeId TRegTree::Child(TNodeId parent, std::string_view name) const {
  const TNode& p = nodes_[parent];
  const uint32_t pos = FindChildPosition(p, name);
  return pos == kNotFound ? kNone : p.children[pos];
}

TRegTree::TNodeId TRegTree::AddChild(TNodeId parent, std::string_view name) {
  const TNodeId existing = Child(parent, name);
  if (existing != kNone) return existing;
  const auto id = static_cast<TNodeId>(nodes_.size());
  nodes_.emplace_back();
  nodes_.back().name = std::string(name);
  TNode& p = nodes_[parent];  // after emplace_back, which may have moved the nodes
  const auto pos = static_cast<uint32_t>(p.children.size());
  p.children.push_back(id);
  if (p.child_index) {
    p.child_index->emplace(UpperAscii(name), pos);
  } else if (p.children.size() > kIndexThreshold) {
    p.child_index = std::make_unique<TIndex>();
    for (uint32_t i = 0; i < p.children.size(); ++i) {
      const TNode& child = nodes_[p.children[i]];
      if (!child.removed) p.child_index->emplace(UpperAscii(child.name), i);
    }
  }
  return id;
}

void TRegTree::RemoveChild(TNodeId parent, std::string_view name) {
  TNode& p = nodes_[parent];
  const uint32_t pos = FindChildPosition(p, name);
  if (pos == kNotFound) return;
  if (p.child_index) p.child_index->erase(UpperAscii(name));
  std::vector<TNodeId> pending{p.children[pos]};
  while (!pending.empty()) {
    TNode& n = nodes_[pending.back()];
    pending.pop_back();
    for (TNodeId c : n.children) {
      if (!nodes_[c].removed) pending.push_back(c);
    }
    n = TNode();
    n.removed = true;
  }
}

const TRegValue* TRegTree::Value(TNodeId key, std::string_view name) const {
  const TNode& k = nodes_[key];
  const uint32_t pos = FindValuePosition(k, name);
  return pos == kNotFound ? nullptr : &k.values[pos].value;
}

void TRegTree::SetValue(TNodeId key, std::string_view name, TRegValue value) {
  TNode& k = nodes_[key];
  const uint32_t pos = FindValuePosition(k, name);
  if (pos != kNotFound) {
    k.values[pos].value = std::move(value);
    return;
  }
  k.values.push_back({std::string(name), std::move(value)});
  const auto new_pos = static_cast<uint32_t>(k.values.size() - 1);
  if (k.value_index) {
    k.value_index->emplace(UpperAscii(name), new_pos);
  } else if (k.values.size() > kIndexThreshold) {
    k.value_index = std::make_unique<TIndex>();
    for (uint32_t i = 0; i < k.values.size(); ++i) {
      if (!k.values[i].removed) k.value_index->emplace(UpperAscii(k.values[i].name), i);
    }
  }
}

void TRegTree::RemoveValue(TNodeId key, std::string_view name) {
  TNode& k = nodes_[key];
  const uint32_t pos = FindValuePosition(k, name);
  if (pos == kNotFound) return;
  if (k.value_index) k.value_index->erase(UpperAscii(name));
  k.values[pos] = TValueSlot{};
  k.values[pos].removed = true;
}

std::vector<std::string> TRegTree::ChildNames(TNodeId key) const {
  std::vector<std::string> names;
  for (TNodeId c : nodes_[key].children) {
    if (!nodes_[c].removed) names.push_back(nodes_[c].name);
  }
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

std::vector<std::string> TRegTree::ValueNames(TNodeId key) const {
  std::vector<std::string> names;
  for (const TValueSlot& v : nodes_[key].values) {
    if (!v.removed) names.push_back(v.name);
  }
  return names;
}

bool TRegTree::Empty() const {
  return ChildNames(kRoot).empty() && ValueNames(kRoot).empty();
}

}  // namespace lorvane
