#pragma once
// Drive letters on a POSIX host: which host directory each Windows drive stands for, and
// the translation of paths between the two forms. Windows paths are CP932, host paths
// UTF-8. A copyable value; the start-up code builds one and hands copies to the backends.

#include <sys/stat.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvane {

class DriveMap {
 public:
  // The drives of a Wine prefix: its dosdevices/ links ("c:" -> "../drive_c",
  // "z:" -> "/"); device entries such as "c::" or "com1" are ignored. An empty prefix
  // gives HostRootOnly().
  static DriveMap ForWinePrefix(const std::string& prefix);
  // No prefix: Z: is "/" and nothing else is mapped.
  static DriveMap HostRootOnly();
  // Explicit letters and host directories, for tests and tools that lay out their own
  // drives; relative directories are taken from the current directory.
  static DriveMap ForDrives(const std::vector<std::pair<char, std::string>>& drives);

  // The prefix the map was read from (absolute), empty when there is none.
  const std::string& wine_prefix() const { return wine_prefix_; }
  // The host directory of a drive letter (either case), nullopt when it is not mapped.
  std::optional<std::string> DriveRoot(char letter) const;

  // "C:\Mail\In.mbx" -> "<prefix>/drive_c/Mail/In.mbx". Components are converted to
  // UTF-8; where a name does not exist as written, the directory's entries are searched
  // without regard to ASCII case (the first match in sorted order wins), as Windows and
  // Wine find files. Components that do not exist are kept as written, so the result may
  // name a file still to be created. "." and ".." are resolved by name, never above the
  // drive. nullopt for unmapped drives, relative, UNC and device paths, and names that
  // cannot exist on Windows (wildcards, control characters, bad CP932).
  std::optional<std::string> ToHost(std::string_view windows_path) const;
  // ToHost, and whether the host path names something (`*found`), with its stat() in
  // `*found_st` when it does: the look ToHost takes mostly settles that too, so a file's
  // size or existence costs one system call.
  std::optional<std::string> ToHost(std::string_view windows_path, struct stat* found_st,
                                    bool* found) const;

  // The reverse: the drive whose directory is the longest prefix of the absolute,
  // normalised host path (relative paths are taken from the current directory), then the
  // components in CP932. nullopt when no drive covers the path or a name has no CP932 or
  // no valid Windows form.
  std::optional<std::string> FromHost(std::string_view host_path) const;

 private:
  DriveMap();
  void MapDrive(char letter, const std::string& host_directory);

  class TCaseIndexCache;

  std::string wine_prefix_;
  // Shared by the copies of a map (the file system's, the shell's): one thread uses them.
  std::shared_ptr<TCaseIndexCache> case_cache_;
  std::array<std::string, 26> roots_;  // normalised host directory per letter; "" = none
  // Every form a drive's directory may be met in (as written, and with symlinks
  // resolved), for FromHost.
  std::vector<std::pair<std::string, char>> host_forms_;
};

// "/a/./b//../c/" -> "/a/c": "." and ".." resolved by name, doubled and trailing "/"
// removed. The path must be absolute; "/" stays "/".
std::string NormaliseHostPath(std::string_view absolute_path);

// `path` made absolute from the current directory, then normalised.
std::string AbsoluteHostPath(std::string_view path);

}  // namespace lorvane
