#pragma once
// The system's texts that exist in a Japanese and an English form: messages and captions,
// one entry each, chosen by the interface language. Entries are defined in messages.cpp so
// that their bytes are CP932 whichever character set the including file is compiled with;
// a front end converts what Text() returns like any other core string.
//
//   ShowMessage(Format(msg::kFileNotFound, {path}), Text(msg::kErrorCaption));

#include <initializer_list>
#include <string>
#include <string_view>

namespace lorvane {

struct TBilingualText {
  std::string_view japanese;
  std::string_view english;  // empty: the text has no English form and stays Japanese
};

// The text in the interface language (IsJapanese).
std::string_view Text(const TBilingualText& text);
// Text() with "%1" to "%9" replaced by the arguments (a missing argument by nothing) and
// "%%" by "%".
std::string Format(const TBilingualText& text, std::initializer_list<std::string_view> args);
// The replacement alone, for a text that is not an entry.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

namespace msg {

// Captions shared by many dialogs.
extern const TBilingualText kErrorCaption;  // "エラー" / "Error"
extern const TBilingualText kOk;            // "OK"
extern const TBilingualText kCancel;        // "キャンセル" / "Cancel"

// The settings file could not be written: %1 its name.
extern const TBilingualText kSettingsNotSaved;
extern const TBilingualText kFileErrorCaption;

// Damaged mail indexes and result files: %1 the file, %2 the 1-based line, %3 the field.
extern const TBilingualText kBadHexNumberField;
extern const TBilingualText kBadDecimalNumberField;
extern const TBilingualText kBadHexOffsetOrSize;
extern const TBilingualText kCannotOpen;         // %1 the file
extern const TBilingualText kCannotOpenBecause;  // %1 the file, %2 why
extern const TBilingualText kNotANumber;         // %1 the file, %2 the text

// A message address that the mail file cannot hold: %1 the file.
extern const TBilingualText kNegativeStartOffset;
extern const TBilingualText kNegativeBlockNumber;
extern const TBilingualText kRecordLengthNotHex;  // %2 the length text, %3 the offset
extern const TBilingualText kLinesOutsideFile;    // lines %2 to %3 of a file of %4 lines

}  // namespace msg
}  // namespace lorvane
