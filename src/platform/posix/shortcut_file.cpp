// Shortcut files through liblnk, which parses the documented binary format and bounds
// every length it reads. 8-bit strings in a shortcut are in the code page of the machine
// that wrote it, taken to be 932. liblnk hands out UTF-8; we convert back to CP932.
// Only regular files are opened, so a FIFO named like a shortcut cannot hang us.
// Tested by tests/platform/posix/shortcut_file_test.cpp.

#include "platform/posix/shortcut_file.h"

#include <liblnk.h>
#include <sys/stat.h>

#include <cstdint>
#include <vector>

#include "common/codepage.h"

namespace lorvane {

namespace {

// Owns the error object liblnk may allocate on any call; we only need to know a call
// failed, not why.
class LnkError {
 public:
  LnkError() = default;
  ~LnkError() { Clear(); }
  LnkError(const LnkError&) = delete;
  LnkError& operator=(const LnkError&) = delete;
  liblnk_error_t** get() {
    Clear();
    return &error_;
  }

 private:
  void Clear() {
    if (error_) liblnk_error_free(&error_);
  }
  liblnk_error_t* error_ = nullptr;
};

class LnkFile {
 public:
  LnkFile() {
    if (liblnk_file_initialize(&file_, error_.get()) != 1) file_ = nullptr;
  }
  ~LnkFile() {
    if (!file_) return;
    if (open_) liblnk_file_close(file_, error_.get());
    liblnk_file_free(&file_, error_.get());
  }
  LnkFile(const LnkFile&) = delete;
  LnkFile& operator=(const LnkFile&) = delete;

  bool Open(const std::string& path) {
    if (!file_) return false;
    if (liblnk_file_set_ascii_codepage(file_, LIBLNK_CODEPAGE_WINDOWS_932, error_.get()) != 1) {
      return false;
    }
    open_ =
        liblnk_file_open(file_, path.c_str(), liblnk_get_access_flags_read(), error_.get()) == 1;
    return open_;
  }

  // A string through liblnk's size/value pair of functions; empty when absent or bad.
  template <typename GetSize, typename Get>
  std::string Text(GetSize get_size, Get get) {
    size_t size = 0;
    if (get_size(file_, &size, error_.get()) != 1 || size <= 1) return {};
    std::vector<uint8_t> utf8(size);
    if (get(file_, utf8.data(), utf8.size(), error_.get()) != 1) return {};
    std::string out;
    std::string_view text(reinterpret_cast<const char*>(utf8.data()), size - 1);
    text = text.substr(0, text.find('\0'));
    return TryUtf8ToCp932(text, &out) ? out : std::string();
  }

 private:
  liblnk_file_t* file_ = nullptr;
  LnkError error_;
  bool open_ = false;
};

}  // namespace

TShortcut ReadShortcutFile(const std::string& host_path) {
  struct stat st;
  if (stat(host_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  LnkFile file;
  if (!file.Open(host_path)) return {};
  TShortcut shortcut;
  shortcut.target =
      file.Text(liblnk_file_get_utf8_local_path_size, liblnk_file_get_utf8_local_path);
  shortcut.arguments = file.Text(liblnk_file_get_utf8_command_line_arguments_size,
                                 liblnk_file_get_utf8_command_line_arguments);
  return shortcut;
}

}  // namespace lorvane
