// The Windows platform: the file system, registry, shell, environment and locale through
// the Win32 ANSI API (code page 932 text, as the core keeps it).
// Tested by tests/platform/win32/ and the CLI's tests (under Wine in CI).

#include "platform/win32/windows_api.h"
// After windows.h:
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winver.h>

#include <algorithm>
#include <cstring>

#include "common/windows_path.h"
#include "platform/system_platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"

namespace lorvane {

namespace {

// Shortcut texts come back whole; detection cuts them where it needs to.
class Win32Shell : public IShell {
 public:
  bool OpenDocument(const std::string& path) override {
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return r > 32;
  }
  bool StartProgram(const std::string& program, const std::string& parameters) override {
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", program.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
    return r > 32;
  }
  bool OpenFolder(const std::string& path) override {
    return StartProgram("Explorer.exe", path);
  }
  std::optional<TDesktopApplication> DesktopApplication(const std::string&) override {
    return std::nullopt;
  }
  TShortcut ResolveShortcut(const std::string& lnk_path) override {
    TShortcut result;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
      IPersistFile* file = nullptr;
      if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(WidenText(lnk_path, 932).c_str(), STGM_READ))) {
          char text[1024];
          if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, 0))) result.target = text;
          if (SUCCEEDED(link->GetArguments(text, sizeof text))) result.arguments = text;
        }
        file->Release();
      }
      link->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
  }
};

class Win32Environment : public IEnvironment {
 public:
  // Through the wide form and the ANSI code page: Wine's GetEnvironmentVariableA copies as
  // many bytes as the value has characters, cutting double-byte values short.
  std::string GetVariable(const std::string& name) override {
    std::wstring value(256, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
      const DWORD got = GetEnvironmentVariableW(WidenText(name, CP_ACP).c_str(), value.data(),
                                                static_cast<DWORD>(value.size()));
      if (got == 0) return {};
      if (got < value.size()) {
        value.resize(got);
        return NarrowText(value, CP_ACP);
      }
      value.resize(got);
    }
    return {};
  }
};

class Win32Locale : public ILocale {
 public:
  std::string DefaultLanguageName() const override {
    const LANGID language = GetSystemDefaultLangID();
    char buffer[256];
    const DWORD n = VerLanguageNameA(language, buffer, sizeof buffer);
    // Wine counts the terminating NUL.
    std::string name(buffer, n == 0 ? 0 : strnlen(buffer, std::min<size_t>(n, sizeof buffer)));
    // Wine also names every language in English: where the system's language is the
    // interface language too, a Japanese system must still read as Japanese.
    const bool ascii = std::all_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && GetUserDefaultUILanguage() == language &&
        GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_SNATIVELANGNAME, buffer,
                       sizeof buffer) > 1) {
      name.assign(buffer, strnlen(buffer, sizeof buffer));
    }
    return name;
  }
};

class TWin32Platform : public TSystemPlatform {
 public:
  explicit TWin32Platform(const TPlatformOptions& options)
      : fs_(options.program_host_path), platform_{fs_, registry_, shell_, environment_, locale_} {}
  TPlatform& Get() override { return platform_; }

 private:
  Win32FileSystem fs_;
  Win32Registry registry_;
  Win32Shell shell_;
  Win32Environment environment_;
  Win32Locale locale_;
  TPlatform platform_;
};

}  // namespace

std::unique_ptr<TSystemPlatform> CreateSystemPlatform(const TPlatformOptions& options) {
  return std::make_unique<TWin32Platform>(options);
}

std::unique_ptr<ILocale> CreateSystemLocale() {
  return std::make_unique<Win32Locale>();
}

std::string DefaultWinePrefix() {
  return {};
}

std::string AbsoluteHostPath(const std::string& path) {
  char buffer[32768];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

char HostPathSeparator() {
  return '\\';
}

std::string ExecutableDirectory() {
  std::string dir = ExtractFilePath(Win32ExecutablePath());  // by characters: "ソ" ends in 0x5C
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir.empty() ? "." : dir;
}

}  // namespace lorvane
