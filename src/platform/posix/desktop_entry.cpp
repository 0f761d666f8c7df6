// Desktop files: where they live and what their Exec line starts. Which application is
// the default for a file type is xdg-mime's answer (PosixShell asks it); this file only
// reads the desktop file it names.
// Tested by tests/platform/posix/desktop_entry_test.cpp.

#include "platform/posix/desktop_entry.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace lorvane {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

std::string UnescapeString(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 >= value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:  // not a string escape: the Exec quoting rules read it
        out += '\\';
        out += next;
        break;
    }
  }
  return out;
}

// Replaces the field codes of one word. True in *had_file when a file code was there.
std::string ExpandFieldCodes(std::string_view word, std::string_view file, bool* had_file) {
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%' || i + 1 >= word.size()) {
      out += word[i];
      continue;
    }
    const char code = word[++i];
    if (code == '%') {
      out += '%';
    } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
      out += file;
      *had_file = true;
    }
    // %i, %c, %k and the deprecated codes stand for nothing we have.
  }
  return out;
}

}  // namespace

std::vector<std::string> DesktopDataDirectories() {
  std::vector<std::string> dirs;
  std::string home = Environment("XDG_DATA_HOME");
  if (home.empty() && !Environment("HOME").empty()) home = Environment("HOME") + "/.local/share";
  if (!home.empty()) dirs.push_back(home);
  std::string list = Environment("XDG_DATA_DIRS");
  if (list.empty()) list = "/usr/local/share:/usr/share";
  for (size_t start = 0; start <= list.size();) {
    const size_t colon = std::min(list.find(':', start), list.size());
    if (colon > start) dirs.push_back(list.substr(start, colon - start));
    start = colon + 1;
  }
  return dirs;
}

std::string FindDesktopFile(std::string_view id, const std::vector<std::string>& data_dirs) {
  if (id.empty() || id.find('/') != std::string_view::npos ||
      id.find("..") != std::string_view::npos) {
    return {};
  }
  for (const std::string& dir : data_dirs) {
    std::string name(id);
    for (;;) {
      const std::string path = dir + "/applications/" + name;
      if (IsFile(path)) return path;
      const size_t dash = name.find('-');
      if (dash == std::string::npos) break;
      name[dash] = '/';
    }
  }
  return {};
}

std::string DesktopExecValue(std::string_view desktop_file) {
  bool in_entry = false;
  while (!desktop_file.empty()) {
    const size_t end = desktop_file.find('\n');
    const std::string_view line = TrimBlanks(desktop_file.substr(0, end));
    desktop_file =
        end == std::string_view::npos ? std::string_view() : desktop_file.substr(end + 1);
    if (!line.empty() && line.front() == '[') {
      in_entry = line == "[Desktop Entry]";
      continue;
    }
    if (!in_entry) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || TrimBlanks(line.substr(0, eq)) != "Exec") continue;
    return UnescapeString(TrimBlanks(line.substr(eq + 1)));
  }
  return {};
}

std::vector<std::string> ExecArguments(std::string_view exec, std::string_view file) {
  std::vector<std::string> words;
  std::vector<bool> quoted;
  size_t i = 0;
  while (i < exec.size()) {
    while (i < exec.size() && (exec[i] == ' ' || exec[i] == '\t')) ++i;
    if (i >= exec.size()) break;
    std::string word;
    bool was_quoted = false;
    while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t') {
      if (exec[i] != '"') {
        word += exec[i++];
        continue;
      }
      was_quoted = true;
      for (++i;; ++i) {
        if (i >= exec.size()) return {};  // unclosed quote
        if (exec[i] == '"') break;
        if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
        word += exec[i];
      }
      ++i;
    }
    words.push_back(std::move(word));
    quoted.push_back(was_quoted);
  }
  if (words.empty() || words[0].empty()) return {};

  std::vector<std::string> args{words[0]};
  bool had_file = false;
  for (size_t w = 1; w < words.size(); ++w) {
    std::string arg = ExpandFieldCodes(words[w], file, &had_file);
    // A word that was only a dropped field code ("%i") is no argument at all.
    if (arg.empty() && !quoted[w]) continue;
    args.push_back(std::move(arg));
  }
  if (!had_file) args.emplace_back(file);
  return args;
}

}  // namespace lorvane
