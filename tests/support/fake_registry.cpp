// Test double of the registry; see fake_registry.h.

#include "support/fake_registry.h"

#include <algorithm>
#include <iomanip>

#include "common/mbstring.h"

namespace lorvane {

void PrintTo(const TRegValue& value, std::ostream* os) {
  *os << "{type " << value.type << ",";
  for (unsigned char c : value.data) {
    *os << " " << std::hex << std::setw(2) << std::setfill('0') << static_cast<int>(c) << std::dec;
  }
  *os << "}";
}

std::string FakeRegistry::Id(TRegRoot root, const std::string& sub_key) const {
  std::string path = sub_key;
  if (!path.empty() && MBLastChar(path) == "\\") path.pop_back();
  return std::to_string(static_cast<int>(root)) + ":" + UpperAscii(path);
}

FakeRegistry::TKey* FakeRegistry::Find(TRegRoot root, const std::string& sub_key) {
  queries_.push_back(std::to_string(static_cast<int>(root)) + ":" + sub_key);
  if (sub_key.empty() && root != TRegRoot::kDynData) {
    TKey& key = keys_[Id(root, "")];
    return &key;
  }
  const auto it = keys_.find(Id(root, sub_key));
  return it == keys_.end() ? nullptr : &it->second;
}

void FakeRegistry::AddKey(TRegRoot root, const std::string& sub_key) {
  // Walks by characters so that a trail byte 0x5C is not taken for a separator.
  std::string path;
  for (size_t i = 0; i <= sub_key.size(); i += i < sub_key.size() ? CharWidthAt(sub_key, i) : 1) {
    if (i == sub_key.size() || sub_key[i] == '\\') {
      TKey& key = keys_[Id(root, path)];
      if (key.name.empty()) key.name = path;
      if (i == sub_key.size()) break;
    }
    path.append(sub_key, i, i < sub_key.size() ? CharWidthAt(sub_key, i) : 1);
  }
}

void FakeRegistry::SetValue(TRegRoot root, const std::string& sub_key, const std::string& name,
                            TRegValue value) {
  AddKey(root, sub_key);
  TKey& key = keys_[Id(root, sub_key)];
  for (auto& [n, v] : key.values) {
    if (SameTextAscii(n, name)) {
      v = std::move(value);
      return;
    }
  }
  key.values.emplace_back(name, std::move(value));
}

void FakeRegistry::SetDword(TRegRoot root, const std::string& sub_key, const std::string& name,
                            uint32_t n) {
  std::string data(4, '\0');
  for (int k = 0; k < 4; ++k) data[k] = static_cast<char>(n >> (8 * k) & 0xFF);
  SetValue(root, sub_key, name, {kRegDword, data});
}

bool FakeRegistry::KeyExists(TRegRoot root, const std::string& sub_key) {
  return Find(root, sub_key) != nullptr;
}

std::optional<TRegValue> FakeRegistry::QueryValue(TRegRoot root, const std::string& sub_key,
                                                  const std::string& name) {
  const TKey* key = Find(root, sub_key);
  if (key == nullptr) return std::nullopt;
  for (const auto& [n, v] : key->values) {
    if (SameTextAscii(n, name)) return v;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> FakeRegistry::SubKeyNames(TRegRoot root,
                                                                  const std::string& sub_key) {
  if (Find(root, sub_key) == nullptr) return std::nullopt;
  const std::string prefix = Id(root, sub_key) + (sub_key.empty() ? "" : "\\");
  std::vector<std::string> names;
  for (const auto& [id, key] : keys_) {
    if (id.size() <= prefix.size() || id.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string rest = key.name.substr(key.name.size() - (id.size() - prefix.size()));
    bool nested = false;
    for (size_t i = 0; i < rest.size(); i += CharWidthAt(rest, i)) nested |= rest[i] == '\\';
    if (!nested) names.push_back(rest);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return UpperAscii(a) < UpperAscii(b);
  });
  return names;
}

std::optional<std::vector<std::string>> FakeRegistry::ValueNames(TRegRoot root,
                                                                 const std::string& sub_key) {
  const TKey* key = Find(root, sub_key);
  if (key == nullptr) return std::nullopt;
  std::vector<std::string> names;
  for (const auto& value : key->values) names.push_back(value.first);
  return names;
}

}  // namespace lorvane
