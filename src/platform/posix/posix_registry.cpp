// The POSIX registry: loads Wine hives and export files into one tree per hive and answers
// the core's questions through the views Windows presents. A key path is resolved to the
// places it may live in (HKEY_CLASSES_ROOT\X: HKCU, then HKLM, each below
// Software\Classes, Wow6432Node first), each place is walked following
// Wine's symbolic links (a bounded number of hops), and the places found are read as
// layers: the first layer with a value wins, sub-key lists are merged.
// Tested by tests/platform/posix/posix_registry_test.cpp.

#include "platform/posix/posix_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <unordered_set>

#include "common/codepage.h"
#include "common/mbstring.h"
#include "platform/posix/reg_file_text.h"

namespace lorvane {

namespace {

constexpr int kMaxLinkHops = 8;
constexpr size_t kMaxDepth = 512;
constexpr size_t kMaxFileSize = size_t{1} << 30;
constexpr std::string_view kLinkValue = "SymbolicLinkValue";
constexpr uint32_t kRegLink = 6;

std::vector<std::string> Concat(std::initializer_list<std::string_view> head,
                                const std::vector<std::string>& tail, size_t from = 0) {
  std::vector<std::string> out(head.begin(), head.end());
  out.insert(out.end(), tail.begin() + static_cast<std::ptrdiff_t>(from), tail.end());
  return out;
}

// A sub-key path as the API takes it; one trailing "\" is tolerated as Windows does.
std::optional<std::vector<std::string>> SplitSubKey(const std::string& sub_key) {
  std::vector<std::string> path;
  if (sub_key.empty()) return path;
  std::vector<std::string_view> parts = regtext::SplitAtBackslash(sub_key, true);
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  if (parts.size() > kMaxDepth) return std::nullopt;
  for (std::string_view p : parts) {
    if (p.empty()) return std::nullopt;
    path.emplace_back(p);
  }
  return path;
}

std::string FileMessage(const std::string& origin, std::string_view what) {
  return Utf8ToCp932Lossy(origin) + ": " + std::string(what);
}

std::string ReadHostFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ERegistryFile(FileMessage(path, std::strerror(errno)));
  struct stat st;
  if (fstat(fd, &st) != 0) {
    const int err = errno;
    close(fd);
    throw ERegistryFile(FileMessage(path, std::strerror(err)));
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    throw ERegistryFile(
        FileMessage(path, S_ISDIR(st.st_mode) ? "is a directory" : "is not a file"));
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxFileSize) {
    close(fd);
    throw ERegistryFile(FileMessage(path, "is larger than 1 GiB"));
  }
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      close(fd);
      throw ERegistryFile(FileMessage(path, std::strerror(err)));
    }
    if (n == 0) break;  // the file shrank while being read
    done += static_cast<size_t>(n);
  }
  close(fd);
  bytes.resize(done);
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

// Receives what a parsed file says. Hive keys go into one tree as they stand; export keys
// go where the views say, and their deletions reach every place the view would show.
class PosixRegistry::TLoader : public IRegFileSink {
 public:
  TLoader(PosixRegistry& registry, TRegTree* hive) : registry_(registry), hive_(hive) {}

  bool OpenKey(const TRegFileKey& key) override {
    value_deletes_.clear();
    if (hive_ != nullptr) {
      TRegTree::TNodeId node = TRegTree::kRoot;
      for (const std::string& name : key.path) node = hive_->AddChild(node, name);
      target_ = TLayer{hive_, node};
      return true;
    }
    if (!key.root || (*key.root == TRegRoot::kUsers && key.path.empty())) return false;
    std::optional<TLayer> target;
    for (TPlace& place : registry_.Places(*key.root, key.path, false, true)) {
      // HKEY_CLASSES_ROOT writes go to HKCU only where the key already is.
      target = registry_.Walk(
          *place.tree, place.path, 0,
          place.tree != registry_.user_.get() || *key.root != TRegRoot::kClassesRoot);
      if (target) break;
    }
    if (!target) return false;
    target_ = *target;
    value_deletes_ = registry_.Layers(*key.root, key.path);
    return true;
  }

  void DeleteKey(const TRegFileKey& key) override {
    target_.reset();
    value_deletes_.clear();
    if (!key.root) return;
    for (TPlace& place : registry_.Places(*key.root, key.path, true, false)) {
      if (place.path.empty()) continue;  // never a whole hive
      const std::string name = place.path.back();
      place.path.pop_back();
      if (std::optional<TLayer> parent = registry_.Walk(*place.tree, place.path, 0, false)) {
        parent->tree->RemoveChild(parent->node, name);
      }
    }
  }

  void SetValue(const std::string& name, TRegValue value) override {
    if (target_) target_->tree->SetValue(target_->node, name, std::move(value));
  }

  void DeleteValue(const std::string& name) override {
    for (const TLayer& layer : value_deletes_) layer.tree->RemoveValue(layer.node, name);
  }

  void MarkLink() override {
    if (target_) target_->tree->MarkLink(target_->node);
  }

 private:
  PosixRegistry& registry_;
  TRegTree* hive_;
  std::optional<TLayer> target_;
  std::vector<TLayer> value_deletes_;
};

PosixRegistry::PosixRegistry()
    : user_(std::make_unique<TRegTree>()),
      machine_(std::make_unique<TRegTree>()),
      default_user_(std::make_unique<TRegTree>()),
      other_users_(std::make_unique<TRegTree>()) {}

PosixRegistry::~PosixRegistry() = default;

void PosixRegistry::LoadWinePrefix(const std::string& prefix_dir) {
  std::string dir = prefix_dir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  LoadHiveText(TWineHive::kMachine, ReadHostFile(dir + "system.reg"), dir + "system.reg");
  LoadHiveText(TWineHive::kUser, ReadHostFile(dir + "user.reg"), dir + "user.reg");
  if (FileExists(dir + "userdef.reg")) {
    LoadHiveText(TWineHive::kDefaultUser, ReadHostFile(dir + "userdef.reg"), dir + "userdef.reg");
  }
}

void PosixRegistry::LoadFile(const std::string& path) {
  const std::string bytes = ReadHostFile(path);
  const TWineHiveHeader header = ReadWineHiveHeader(bytes);
  if (!header.valid) {
    LoadRegText(bytes, path);
    return;
  }
  std::string_view where = header.relative_to;
  if (SameTextAscii(where, "Machine")) {
    LoadHive(TWineHive::kMachine, bytes, path, header);
  } else if (SameTextAscii(where, "User\\.Default")) {
    LoadHive(TWineHive::kDefaultUser, bytes, path, header);
  } else if (regtext::ConsumePrefix(&where, "User\\") && !where.empty()) {
    LoadHive(TWineHive::kUser, bytes, path, header);
  } else {
    throw ERegistryFile(FileMessage(path, "is a Wine hive that does not say which root it holds"));
  }
}

void PosixRegistry::LoadHiveText(TWineHive hive, std::string_view text, const std::string& origin) {
  const TWineHiveHeader header = ReadWineHiveHeader(text);
  if (!header.valid) throw ERegistryFile(FileMessage(origin, "is not a Wine registry hive"));
  LoadHive(hive, text, origin, header);
}

void PosixRegistry::LoadHive(TWineHive hive, std::string_view text, const std::string&,
                             const TWineHiveHeader& header) {
  TRegTree* tree = machine_.get();
  if (hive == TWineHive::kUser) {
    tree = user_.get();
    std::string_view where = header.relative_to;
    if (regtext::ConsumePrefix(&where, "User\\") && !where.empty()) sid_ = std::string(where);
  } else if (hive == TWineHive::kDefaultUser) {
    tree = default_user_.get();
    default_user_loaded_ = true;
  }
  TLoader loader(*this, tree);
  skipped_lines_ += ParseWineHive(text, loader);
}

void PosixRegistry::LoadRegText(std::string_view bytes, const std::string& origin) {
  TLoader loader(*this, nullptr);
  size_t skipped = 0;
  std::string error;
  if (!ParseRegExport(bytes, loader, &skipped, &error)) {
    throw ERegistryFile(FileMessage(origin, error));
  }
  skipped_lines_ += skipped;
}

std::vector<PosixRegistry::TPlace> PosixRegistry::Places(TRegRoot root,
                                                         const std::vector<std::string>& path,
                                                         bool view32, bool create) {
  std::vector<TPlace> places;
  switch (root) {
    case TRegRoot::kCurrentUser:
      places.push_back({user_.get(), path});
      break;
    case TRegRoot::kLocalMachine:
      if (view32 && path.size() >= 2 && SameTextAscii(path[0], "Software") &&
          !SameTextAscii(path[1], "Wow6432Node")) {
        places.push_back({machine_.get(), Concat({path[0], "Wow6432Node"}, path, 1)});
      }
      places.push_back({machine_.get(), path});
      break;
    case TRegRoot::kClassesRoot:
      for (TRegTree* tree : {user_.get(), machine_.get()}) {
        if (view32 && !path.empty() && !SameTextAscii(path[0], "Wow6432Node")) {
          places.push_back({tree, Concat({"Software", "Classes", "Wow6432Node"}, path)});
        }
        places.push_back({tree, Concat({"Software", "Classes"}, path)});
      }
      break;
    case TRegRoot::kUsers:
      if (!path.empty() && !sid_.empty() && SameTextAscii(path[0], sid_)) {
        places.push_back({user_.get(), Concat({}, path, 1)});
      } else if (!path.empty() && SameTextAscii(path[0], ".Default")) {
        if (create) default_user_loaded_ = true;
        if (default_user_loaded_) places.push_back({default_user_.get(), Concat({}, path, 1)});
      } else {
        places.push_back({other_users_.get(), path});
      }
      break;
    case TRegRoot::kCurrentConfig:
      places.push_back(
          {machine_.get(),
           Concat({"System", "CurrentControlSet", "Hardware Profiles", "Current"}, path)});
      break;
    case TRegRoot::kDynData:
      break;
  }
  return places;
}

std::optional<PosixRegistry::TLayer> PosixRegistry::Walk(TRegTree& tree,
                                                         const std::vector<std::string>& path,
                                                         int hops, bool create) {
  TRegTree::TNodeId node = TRegTree::kRoot;
  for (size_t i = 0; i < path.size(); ++i) {
    TRegTree::TNodeId child = tree.Child(node, path[i]);
    if (child == TRegTree::kNone) {
      if (!create) return std::nullopt;
      child = tree.AddChild(node, path[i]);
    }
    node = child;
    if (!tree.IsLink(node)) continue;
    // "\REGISTRY\Machine\…" or "\REGISTRY\User\<SID>\…"; a loop ends at the hop limit.
    const TRegValue* target = tree.Value(node, kLinkValue);
    if (hops >= kMaxLinkHops || target == nullptr || target->type != kRegLink) {
      return std::nullopt;
    }
    const std::string text = Utf16LeToCp932Lossy(target->data);
    const std::vector<std::string_view> parts = regtext::SplitAtBackslash(text, true);
    if (parts.size() < 3 || !parts[0].empty() || !SameTextAscii(parts[1], "REGISTRY")) {
      return std::nullopt;
    }
    std::optional<TRegRoot> root;
    if (SameTextAscii(parts[2], "Machine")) root = TRegRoot::kLocalMachine;
    if (SameTextAscii(parts[2], "User")) root = TRegRoot::kUsers;
    if (!root) return std::nullopt;
    std::vector<std::string> rest(parts.begin() + 3, parts.end());
    rest.insert(rest.end(), path.begin() + static_cast<std::ptrdiff_t>(i) + 1, path.end());
    std::vector<TPlace> places = Places(*root, rest, false, create);
    if (places.empty()) return std::nullopt;
    return Walk(*places.front().tree, places.front().path, hops + 1, create);
  }
  return TLayer{&tree, node};
}

std::vector<PosixRegistry::TLayer> PosixRegistry::Layers(TRegRoot root,
                                                         const std::vector<std::string>& path) {
  std::vector<TLayer> layers;
  for (const TPlace& place : Places(root, path, true, false)) {
    if (std::optional<TLayer> layer = Walk(*place.tree, place.path, 0, false)) {
      layers.push_back(*layer);
    }
  }
  return layers;
}

bool PosixRegistry::KeyExists(TRegRoot root, const std::string& sub_key) {
  const std::optional<std::vector<std::string>> path = SplitSubKey(sub_key);
  if (!path || root == TRegRoot::kDynData) return false;
  return path->empty() || !Layers(root, *path).empty();
}

std::optional<TRegValue> PosixRegistry::QueryValue(TRegRoot root, const std::string& sub_key,
                                                   const std::string& name) {
  const std::optional<std::vector<std::string>> path = SplitSubKey(sub_key);
  if (!path) return std::nullopt;
  for (const TLayer& layer : Layers(root, *path)) {
    if (const TRegValue* value = layer.tree->Value(layer.node, name)) return *value;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> PosixRegistry::SubKeyNames(TRegRoot root,
                                                                   const std::string& sub_key) {
  if (!KeyExists(root, sub_key)) return std::nullopt;
  const std::vector<std::string> path = *SplitSubKey(sub_key);
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  auto add = [&](const std::string& name) {
    if (seen.insert(UpperAscii(name)).second) names.push_back(name);
  };
  if (root == TRegRoot::kUsers && path.empty()) {
    if (!sid_.empty()) add(sid_);
    if (default_user_loaded_) add(".Default");
  }
  const std::vector<TLayer> layers = Layers(root, path);
  for (const TLayer& layer : layers) {
    for (const std::string& name : layer.tree->ChildNames(layer.node)) add(name);
  }
  if (layers.size() > 1 || (root == TRegRoot::kUsers && path.empty())) {
    std::sort(names.begin(), names.end(), TRegTree::NameLess);
  }
  return names;
}

std::optional<std::vector<std::string>> PosixRegistry::ValueNames(TRegRoot root,
                                                                  const std::string& sub_key) {
  if (!KeyExists(root, sub_key)) return std::nullopt;
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const TLayer& layer : Layers(root, *SplitSubKey(sub_key))) {
    for (const std::string& name : layer.tree->ValueNames(layer.node)) {
      if (seen.insert(UpperAscii(name)).second) names.push_back(name);
    }
  }
  return names;
}

std::unique_ptr<PosixRegistry> OpenPosixRegistry(const std::string& wine_prefix,
                                                 const std::vector<std::string>& reg_files) {
  auto registry = std::make_unique<PosixRegistry>();
  if (!wine_prefix.empty()) registry->LoadWinePrefix(wine_prefix);
  for (const std::string& file : reg_files) registry->LoadFile(file);
  return registry;
}

}  // namespace lorvane
