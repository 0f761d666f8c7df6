#pragma once
// A whole platform in memory for tests of the core: MemoryFileSystem, FakeRegistry, a
// shell that records what it was asked to start, an environment of fixed variables, and
// a fixed language name.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/fake_registry.h"
#include "support/memory_file_system.h"

namespace lorvane::testing {

class RecordingShell : public IShell {
 public:
  bool OpenDocument(const std::string& path) override {
    calls.push_back("open " + path);
    return true;
  }
  bool StartProgram(const std::string& program, const std::string& parameters) override {
    calls.push_back("start " + program + " " + parameters);
    return true;
  }
  bool OpenFolder(const std::string& path) override {
    calls.push_back("folder " + path);
    return true;
  }
  std::optional<TDesktopApplication> DesktopApplication(const std::string& path) override {
    calls.push_back("desktop " + path);
    return desktop_application;
  }
  TShortcut ResolveShortcut(const std::string& lnk_path) override {
    auto it = shortcuts.find(lnk_path);
    return it == shortcuts.end() ? TShortcut{} : it->second;
  }
  std::vector<std::string> calls;
  std::map<std::string, TShortcut> shortcuts;
  std::optional<TDesktopApplication> desktop_application;  // what the desktop associates
};

class MapEnvironment : public IEnvironment {
 public:
  std::string GetVariable(const std::string& name) override {
    auto it = variables.find(name);
    return it == variables.end() ? std::string() : it->second;
  }
  std::map<std::string, std::string> variables;
};

class FixedLocale : public ILocale {
 public:
  std::string DefaultLanguageName() const override { return name; }
  std::string name = "English";
};

struct TMemoryPlatform {
  MemoryFileSystem fs;
  FakeRegistry registry;
  RecordingShell shell;
  MapEnvironment environment;
  FixedLocale locale;
  TPlatform platform{fs, registry, shell, environment, locale};
};

}  // namespace lorvane::testing
