// Fake Wine prefixes for the platform tests; see the header for the layout.

#include "support/fake_wine_prefix.h"

#include "common/codepage.h"

namespace lorvane {

namespace {

std::string Relative(std::string_view base, std::string_view cp932_relative) {
  if (cp932_relative.empty()) return std::string(base);
  return std::string(base) + "/" + Cp932ToUtf8(cp932_relative);
}

}  // namespace

FakeWinePrefix::FakeWinePrefix(bool with_z) {
  scratch_.MakeDirectory("prefix/drive_c");
  scratch_.MakeDirectory("data");
  scratch_.MakeSymlink("prefix/dosdevices/c:", "../drive_c");
  scratch_.MakeSymlink("prefix/dosdevices/d:", scratch_.Path("data"));
  scratch_.MakeSymlink("prefix/dosdevices/c::", "/dev/null");
  scratch_.MakeSymlink("prefix/dosdevices/com1", "/dev/ttyS0");
  if (with_z) scratch_.MakeSymlink("prefix/dosdevices/z:", "/");
}

std::string FakeWinePrefix::OnC(std::string_view cp932_relative) const {
  return Relative(scratch_.Path("prefix/drive_c"), cp932_relative);
}

std::string FakeWinePrefix::OnD(std::string_view cp932_relative) const {
  return Relative(scratch_.Path("data"), cp932_relative);
}

void FakeWinePrefix::WriteOnC(std::string_view cp932_relative, std::string_view contents) const {
  scratch_.WriteFile(Relative("prefix/drive_c", cp932_relative), contents);
}

void FakeWinePrefix::MakeDirectoryOnC(std::string_view cp932_relative) const {
  scratch_.MakeDirectory(Relative("prefix/drive_c", cp932_relative));
}

}  // namespace lorvane
