// Splitting a mail_stores input into entries, and writing one; the format is described in
// store_archive.h.

#include "support/store_archive.h"

namespace lorvane::fuzz {

namespace {
constexpr std::string_view kMark = "\n@@";
}  // namespace

std::vector<TStoreEntry> ParseStoreArchive(std::string_view input) {
  std::vector<TStoreEntry> entries;
  // `at` is where an entry's "@@" stands.
  size_t at = 0;
  if (!input.starts_with("@@")) {
    at = input.find(kMark);
    if (at != std::string_view::npos) ++at;
  }
  while (at != std::string_view::npos) {
    const size_t start = at + 2;
    size_t end = input.find(kMark, start);
    const std::string_view entry =
        input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    at = end == std::string_view::npos ? end : end + 1;
    if (entry.empty()) continue;
    const size_t line_end = entry.find('\n');
    std::string_view header = entry.substr(1, line_end == std::string_view::npos
                                                  ? std::string_view::npos
                                                  : line_end - 1);
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    if (!header.empty() && header.front() == ' ') header.remove_prefix(1);
    const std::string_view bytes =
        line_end == std::string_view::npos ? std::string_view() : entry.substr(line_end + 1);
    entries.push_back({entry[0], header, bytes});
  }
  return entries;
}

std::string StoreEntryText(char kind, std::string_view name, std::string_view bytes) {
  std::string text = "@@";
  text += kind;
  text += ' ';
  text += name;
  text += '\n';
  text += bytes;
  return text;
}

}  // namespace lorvane::fuzz
