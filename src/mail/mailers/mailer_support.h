#pragma once
// What the per-kind mailer procedures share: reading a mail program's text files as
// lines, the prefix tests, directory listings in the forms the procedures need, and
// registry reads by absolute key path.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_stores.h"

namespace lorvane::mailers {

// The file's lines (CR LF, lone CR or lone LF end a line; a NUL ends the text). False,
// and no lines, when the file does not exist or cannot be read.
bool ReadLines(IFileSystem& fs, const std::string& path, std::vector<std::string>* lines);
// Calls `visit(index, line)` for every line of the file without copying the lines (for
// mailboxes of hundreds of megabytes). False when the file does not exist or cannot be
// read.
bool ForEachFileLine(IFileSystem& fs, const std::string& path,
                     const std::function<void(size_t, std::string_view)>& visit);

// Whether the line's first characters, upper-cased (ASCII, never a trail byte), are
// `upper_prefix`.
bool StartsWithUpper(std::string_view line, std::string_view upper_prefix);
// The same, letter case mattering.
bool StartsWith(std::string_view line, std::string_view prefix);

// True when the first entry matching `pattern` (wildcards allowed) is a file; a directory
// does not count.
bool FileExists(IFileSystem& fs, const std::string& pattern);
// Names of the entries of `pattern` that are directories not beginning with ".".
std::vector<std::string> SubDirectories(IFileSystem& fs, const std::string& pattern);
// Names of the entries of `pattern` that are neither directories nor volume labels.
std::vector<std::string> Files(IFileSystem& fs, const std::string& pattern);
// `names` sorted by their upper-cased bytes, equal names keeping their order.
void SortByUpperName(std::vector<std::string>& names);

// Registry values and sub-keys by absolute key path given without the leading "\"
// ("HKEY_CURRENT_USER\Software\RimArts\B2\Settings"). Missing keys or values read as ""
// or 0.
std::string RegString(TMailStores& stores, const std::string& key, const std::string& name);
int RegInteger(TMailStores& stores, const std::string& key, const std::string& name);
// False when the key cannot be opened.
bool RegSubKeys(TMailStores& stores, const std::string& key, std::vector<std::string>* names);

// The Windows directory with a final "\".
std::string WindowsDirectory(TMailStores& stores);
// Decimal text.
std::string Num(long long n);

// Folder trees come from disk and may loop through links; scans stop this deep.
constexpr int kMaxFolderDepth = 64;

}  // namespace lorvane::mailers
