#pragma once
// One registry hive in memory: keys with names compared without regard to ASCII case,
// values in the order they were stored. Nodes live in one vector and refer to each other
// by index, so nothing recurses over the tree, however deeply the input nests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"

namespace lorvane {

class TRegTree {
 public:
  using TNodeId = uint32_t;
  static constexpr TNodeId kRoot = 0;
  static constexpr TNodeId kNone = UINT32_MAX;

  TRegTree();

  // kNone when there is no such child.
  TNodeId Child(TNodeId parent, std::string_view name) const;
  // The existing child of that name (keeping its spelling) or a new one.
  TNodeId AddChild(TNodeId parent, std::string_view name);
  // Removes the child and everything below it; nothing when it does not exist.
  void RemoveChild(TNodeId parent, std::string_view name);

  const TRegValue* Value(TNodeId key, std::string_view name) const;
  // Replaces a value of the same name in its place, or appends it.
  void SetValue(TNodeId key, std::string_view name, TRegValue value);
  void RemoveValue(TNodeId key, std::string_view name);

  // Sub-key names sorted as Wine enumerates them: ASCII letters compared as lower case,
  // everything else by byte (so "_x" comes before "ab").
  std::vector<std::string> ChildNames(TNodeId key) const;
  static bool NameLess(std::string_view a, std::string_view b);
  std::vector<std::string> ValueNames(TNodeId key) const;

  // A Wine symbolic link: opening the key opens the key its "SymbolicLinkValue" names.
  void MarkLink(TNodeId key) { nodes_[key].link = true; }
  bool IsLink(TNodeId key) const { return nodes_[key].link; }

  bool Empty() const;

 private:
  // Lookups switch from a linear scan to a hash index past this many entries.
  static constexpr size_t kIndexThreshold = 8;
  using TIndex = std::unordered_map<std::string, uint32_t>;  // upper-cased name -> position

  struct TValueSlot {
    std::string name;
    TRegValue value;
    bool removed = false;
  };
  struct TNode {
    std::string name;
    std::vector<TNodeId> children;  // removed ones stay as tombstones
    std::vector<TValueSlot> values;
    std::unique_ptr<TIndex> child_index;
    std::unique_ptr<TIndex> value_index;
    bool removed = false;
    bool link = false;
  };

  uint32_t FindChildPosition(const TNode& parent, std::string_view name) const;
  uint32_t FindValuePosition(const TNode& key, std::string_view name) const;

  std::vector<TNode> nodes_;
};

}  // namespace lorvane
