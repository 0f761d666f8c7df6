// Builds the demo: a store for every mail program and two user directories, and
// DIR/lorvane.ini, the settings that list those directories. On POSIX the stores go into
// DIR/prefix, a Wine-prefix-like tree (scripts/demo); on Windows onto C: and into the
// registry, where they stay (the Windows end-to-end test).

#include <filesystem>
#include <fstream>
#include <iostream>

#include "persist/ini_file.h"
#include "support/mail_fixture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_demo_prefix DIR\n";
    return 2;
  }
  const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
  try {
    lorvane::testing::TMailFixture fixture((dir / "prefix").string());
    lorvane::TIniFile settings;
    lorvane::testing::BuildDemoStores(fixture, settings);
    fixture.Keep();
    std::ofstream out(dir / "lorvane.ini", std::ios::binary);
    out << settings.ToText();
    if (!out) throw std::runtime_error("cannot write " + (dir / "lorvane.ini").string());
  } catch (const std::exception& e) {
    std::cerr << "make_demo_prefix: " << e.what() << '\n';
    return 1;
  }
  std::cout << dir.string() << '\n';
  return 0;
}
