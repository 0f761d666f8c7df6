// Shortcut files through liblnk. 8-bit strings in a shortcut are in the code page of
// the machine that wrote it, taken to be 932; liblnk hands out UTF-8, which we convert
// back. Before liblnk sees a file we read it ourselves (regular files of at most 1 MiB,
// so a FIFO cannot hang us) and check that every section size it declares fits in it:
// liblnk allocates a declared size before reading, so a 100-byte file claiming 3 GB of
// LinkInfo would cost 3 GB of address space.
// Tested by tests/platform/posix/shortcut_file_test.cpp.

#include "platform/posix/shortcut_file.h"

#include <fcntl.h>
#include <liblnk.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/codepage.h"
#include "platform/posix/posix_io.h"

namespace lorvane {

namespace {

constexpr off_t kMaxShortcutSize = 1 << 20;  // real ones are a few kilobytes

uint32_t Le(std::string_view bytes, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// Walks the sections of a shell link (header, target ID list, LinkInfo, the counted
// strings, the extra data blocks) and tells whether each declared size fits in the file.
bool DeclaredSizesFit(std::string_view bytes) {
  const size_t size = bytes.size();
  if (size < 0x4C || Le(bytes, 0, 4) != 0x4C) return false;
  const uint32_t flags = Le(bytes, 20, 4);
  size_t pos = 0x4C;
  // Each step needs its size field in the file and leaves `pos` at most at the end.
  auto take = [&](int width, size_t unit, size_t extra) {
    if (size - pos < static_cast<size_t>(width)) return false;
    const size_t n = Le(bytes, pos, width) * unit + extra;
    if (n > size - pos) return false;
    pos += n;
    return true;
  };
  if ((flags & 0x01) && !take(2, 1, 2)) return false;  // HasLinkTargetIDList
  if (flags & 0x02) {                                  // HasLinkInfo
    if (size - pos < 4 || Le(bytes, pos, 4) < 4 || !take(4, 1, 0)) return false;
  }
  const size_t unit = (flags & 0x80) ? 2 : 1;  // IsUnicode
  for (uint32_t has_string : {0x04u, 0x08u, 0x10u, 0x20u, 0x40u}) {
    if ((flags & has_string) && !take(2, unit, 2)) return false;
  }
  // Extra data blocks, until one whose size is below 4 (the terminal block).
  while (size - pos >= 4 && Le(bytes, pos, 4) >= 4) {
    if (!take(4, 1, 0)) return false;
  }
  return true;
}

bool LooksSound(const std::string& host_path) {
  UniqueFd fd(open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat st;
  if (!fd.ok() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
      st.st_size > kMaxShortcutSize) {
    return false;
  }
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return DeclaredSizesFit(bytes);
}

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
  if (!LooksSound(host_path)) return {};
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
