#pragma once
// The mail_stores target's input: a mail program's files, registry values and settings in
// one byte string, so that one input describes a whole installation. Entries follow one
// another, each starting with "@@" at the start of the input or of a line:
//
//   @@F C:\B2\a.mb\Mailbox.ini      a file: the path, a line end, then its bytes
//   @@D C:\B2\empty                 an empty directory
//   @@K HKCU\Software\X             a registry key
//   @@S HKCU\Software\X|DataDir     a string value (name after "|"): the bytes are the text
//   @@N HKCU\Software\X|version     a DWORD value: the bytes are its decimal digits
//   @@I                             the program's settings file (either form)
//
// An entry's bytes end where the next entry's line begins (that line end is not part of
// them). Unknown letters and unreadable root names are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::fuzz {

struct TStoreEntry {
  char kind;
  std::string_view name;   // the path, or the key and "|" and the value name
  std::string_view bytes;
};

std::vector<TStoreEntry> ParseStoreArchive(std::string_view input);

// One entry's text; entries are joined with a line end between them.
std::string StoreEntryText(char kind, std::string_view name, std::string_view bytes);

}  // namespace lorvane::fuzz
