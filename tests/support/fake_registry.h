#pragma once
// An in-memory IRegistry for tests of code that reads the registry: keys and values are
// set directly, names compare without regard to ASCII case, sub-keys enumerate sorted
// case-insensitively and values in the order set. Also prints TRegValue in test output.

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace lorvane {

void PrintTo(const TRegValue& value, std::ostream* os);

class FakeRegistry : public IRegistry {
 public:
  // Adds the key and every key above it.
  void AddKey(TRegRoot root, const std::string& sub_key);
  // Adds the key too; replaces a value of the same name.
  void SetValue(TRegRoot root, const std::string& sub_key, const std::string& name,
                TRegValue value);
  void SetString(TRegRoot root, const std::string& sub_key, const std::string& name,
                 const std::string& text) {
    SetValue(root, sub_key, name, {kRegSz, text});
  }
  void SetDword(TRegRoot root, const std::string& sub_key, const std::string& name, uint32_t n);
  void SetBinary(TRegRoot root, const std::string& sub_key, const std::string& name,
                 const std::string& bytes) {
    SetValue(root, sub_key, name, {kRegBinary, bytes});
  }

  bool KeyExists(TRegRoot root, const std::string& sub_key) override;
  std::optional<TRegValue> QueryValue(TRegRoot root, const std::string& sub_key,
                                      const std::string& name) override;
  std::optional<std::vector<std::string>> SubKeyNames(TRegRoot root,
                                                      const std::string& sub_key) override;
  std::optional<std::vector<std::string>> ValueNames(TRegRoot root,
                                                     const std::string& sub_key) override;

  // Every key path asked about, as "root:sub_key", in order.
  const std::vector<std::string>& queries() const { return queries_; }

 private:
  struct TKey {
    std::string name;  // as first written
    std::vector<std::pair<std::string, TRegValue>> values;
  };
  // Keyed by root and upper-cased full path.
  std::string Id(TRegRoot root, const std::string& sub_key) const;
  TKey* Find(TRegRoot root, const std::string& sub_key);

  std::map<std::string, TKey> keys_;
  std::vector<std::string> queries_;
};

}  // namespace lorvane
