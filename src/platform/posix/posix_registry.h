#pragma once
// The registry on POSIX, read only: a Wine prefix's hives (user.reg is HKEY_CURRENT_USER,
// system.reg HKEY_LOCAL_MACHINE, userdef.reg HKEY_USERS\.Default) with registry export
// files overlaid on them in the order loaded. Views as Windows presents them:
// HKEY_CLASSES_ROOT merges HKLM\Software\Classes with HKCU\Software\Classes (HKCU's keys
// and values win); HKEY_USERS holds the user's SID key (HKCU) and .Default;
// HKEY_CURRENT_CONFIG is HKLM\System\CurrentControlSet\Hardware Profiles\Current. Keys
// below HKLM\Software and HKEY_CLASSES_ROOT are looked up first where 32-bit programs
// (every mail program) see them on a 64-bit system, below Wow6432Node, then natively.
//
//   PosixRegistry registry;
//   registry.LoadWinePrefix("/home/taro/.wine");   // throws ERegistryFile
//   registry.LoadFile("/home/taro/becky.reg");     // each export, in order

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exception.h"
#include "platform/posix/reg_file_parser.h"
#include "platform/posix/reg_tree.h"
#include "platform/registry.h"

namespace lorvane {

// A hive or export file that cannot be read or is not what it should be. The message
// names the file.
class ERegistryFile : public Exception {
 public:
  using Exception::Exception;
};

enum class TWineHive {
  kUser,         // user.reg
  kMachine,      // system.reg
  kDefaultUser,  // userdef.reg
};

class PosixRegistry : public IRegistry {
 public:
  PosixRegistry();
  ~PosixRegistry() override;

  // Loads system.reg and user.reg (both required) and userdef.reg (if present) from the
  // prefix directory (a host path). Load the prefix before any export.
  void LoadWinePrefix(const std::string& prefix_dir);
  // Overlays a registry export, or a Wine hive whose header says which root it holds.
  void LoadFile(const std::string& path);

  // The same over bytes; `origin` names the source in error messages.
  void LoadHiveText(TWineHive hive, std::string_view text, const std::string& origin);
  void LoadRegText(std::string_view bytes, const std::string& origin);

  // Lines skipped as malformed by every load so far.
  size_t skipped_lines() const { return skipped_lines_; }

  bool KeyExists(TRegRoot root, const std::string& sub_key) override;
  std::optional<TRegValue> QueryValue(TRegRoot root, const std::string& sub_key,
                                      const std::string& name) override;
  std::optional<std::vector<std::string>> SubKeyNames(TRegRoot root,
                                                      const std::string& sub_key) override;
  std::optional<std::vector<std::string>> ValueNames(TRegRoot root,
                                                     const std::string& sub_key) override;

 private:
  class TLoader;
  struct TLayer {
    TRegTree* tree;
    TRegTree::TNodeId node;
  };
  // A native place a key may live in: a tree and a path in it.
  struct TPlace {
    TRegTree* tree;
    std::vector<std::string> path;
  };

  // The places that make up a key, the first winning. `view32` puts the Wow6432Node
  // places before the native ones.
  std::vector<TPlace> Places(TRegRoot root, const std::vector<std::string>& path, bool view32,
                             bool create);
  // The node at `path`, following Wine's links; nullopt when it does not exist (with
  // `create`, missing keys are added).
  std::optional<TLayer> Walk(TRegTree& tree, const std::vector<std::string>& path, int hops,
                             bool create);
  std::vector<TLayer> Layers(TRegRoot root, const std::vector<std::string>& path);
  void LoadHive(TWineHive hive, std::string_view text, const std::string& origin,
                const TWineHiveHeader& header);

  std::unique_ptr<TRegTree> user_;
  std::unique_ptr<TRegTree> machine_;
  std::unique_ptr<TRegTree> default_user_;
  std::unique_ptr<TRegTree> other_users_;  // HKEY_USERS keys other than the two above
  std::string sid_;
  bool default_user_loaded_ = false;
  size_t skipped_lines_ = 0;
};

// A registry over `wine_prefix` (a host path; empty for none) and the export files, in
// order. Throws ERegistryFile.
std::unique_ptr<PosixRegistry> OpenPosixRegistry(const std::string& wine_prefix,
                                                 const std::vector<std::string>& reg_files);

}  // namespace lorvane
