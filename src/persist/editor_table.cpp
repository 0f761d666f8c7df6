// "Jump.dat": parsing with the older two-TAB form, the built-in editors, and template
// expansion. Choosing the editor for a hit and finding its line is the Open logic's.
// Tested by tests/persist/editor_table_test.cpp.

#include "persist/editor_table.h"

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "platform/file_system.h"

namespace lorvane {

namespace {

constexpr const char* kEditorTableName = "Jump.dat";

constexpr TEditorEntry kBuiltInEditors[] = {
    {"AK32.EXE", "/L$L $F"},
    {"DANA.EXE", "$F+$L"},
    {"HIDEMARU.EXE", "/j$L $F"},
    {"WZEDIT32.EXE", "--J$L $F"},
};

// TAB, CR and LF are below 0x40 and never trail bytes: byte searches are safe.
TEditorEntry ParseLine(std::string_view line) {
  const size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return {std::string(line), {}};
  TEditorEntry entry{UpperAscii(line.substr(0, tab)), {}};
  const std::string_view rest = line.substr(tab + 1);
  const size_t second = rest.find('\t');
  if (second == std::string_view::npos) {
    entry.command_template = rest;
  } else {
    entry.command_template =
        std::string(rest.substr(0, second)) + "$L" + std::string(rest.substr(second + 1)) + " $F";
  }
  return entry;
}

}  // namespace

void TEditorTable::LoadFromText(std::string_view text) {
  entries_.clear();
  added_built_ins_ = false;
  // Lines end at CR LF, a lone CR or a lone LF; a NUL ends the text.
  text = text.substr(0, text.find('\0'));
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (!line.empty()) entries_.push_back(ParseLine(line));
    if (end == std::string_view::npos) break;
    const size_t width = text.substr(end, 2) == "\r\n" ? 2 : 1;
    text.remove_prefix(end + width);
  }
  for (const TEditorEntry& editor : kBuiltInEditors) {
    if (TemplateFor(editor.name) == nullptr) {
      entries_.push_back(editor);
      added_built_ins_ = true;
    }
  }
}

std::string TEditorTable::ToText() const {
  std::string text;
  for (const TEditorEntry& entry : entries_) {
    text += entry.name + "\t" + entry.command_template + "\r\n";
  }
  return text;
}

const std::string* TEditorTable::TemplateFor(std::string_view executable_name) const {
  for (const TEditorEntry& entry : entries_) {
    if (SameTextAscii(entry.name, executable_name)) return &entry.command_template;
  }
  return nullptr;
}

std::string EditorTableFileName(std::string_view program_path) {
  return ExtractFilePath(program_path) + kEditorTableName;
}

bool LoadEditorTable(IFileSystem& fs, const std::string& path, bool rewrite, TEditorTable* table,
                     std::string* error) {
  std::string text;
  const TReadStatus status = fs.ReadFile(path, &text, error);
  const bool readable = status == TReadStatus::kOk || status == TReadStatus::kNotFound;
  table->LoadFromText(readable ? text : std::string());
  // An unreadable file still holds the user's editors: replacing it would lose them.
  if (!readable) return false;
  if (rewrite && table->AddedBuiltIns()) return fs.ReplaceFile(path, table->ToText(), error);
  return true;
}

std::string ExpandEditorTemplate(std::string_view command_template, std::string_view file,
                                 int line) {
  std::string out;
  for (size_t i = 0; i < command_template.size();) {
    const size_t w = CharWidthAt(command_template, i);
    if (w == 1 && command_template[i] == '$') {
      if (i + 1 >= command_template.size()) break;
      const size_t next_width = CharWidthAt(command_template, i + 1);
      const char next = command_template[i + 1];
      if (next_width == 1 && (next == 'F' || next == 'f')) {
        out += file;
      } else if (next_width == 1 && (next == 'L' || next == 'l')) {
        out += std::to_string(line);
      } else {
        out.append(command_template, i + 1, next_width);
      }
      i += 1 + next_width;
      continue;
    }
    out.append(command_template, i, w);
    i += w;
  }
  return out;
}

}  // namespace lorvane
