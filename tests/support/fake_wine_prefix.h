#pragma once
// A Wine prefix in a scratch directory, for tests that need Windows drives on real
// files: dosdevices/ holds "c:" -> "../drive_c", "d:" -> an absolute directory outside the
// prefix, "z:" -> "/" (unless left out), and the device entries "c::" and "com1" that a
// reader must ignore. Relative names given here are CP932 with "/" separators.

#include <string>
#include <string_view>

#include "platform/posix/drive_map.h"
#include "support/scratch_dir.h"

namespace lorvane {

class FakeWinePrefix {
 public:
  explicit FakeWinePrefix(bool with_z = true);

  const ScratchDir& scratch() const { return scratch_; }
  std::string prefix() const { return scratch_.Path("prefix"); }
  // Host path of a file on C: or D: ("メール/受信箱" -> ".../drive_c/<UTF-8 names>").
  std::string OnC(std::string_view cp932_relative = {}) const;
  std::string OnD(std::string_view cp932_relative = {}) const;

  void WriteOnC(std::string_view cp932_relative, std::string_view contents) const;
  void MakeDirectoryOnC(std::string_view cp932_relative) const;

  DriveMap Drives() const { return DriveMap::ForWinePrefix(prefix()); }

 private:
  ScratchDir scratch_;
};

}  // namespace lorvane
