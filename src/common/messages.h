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

// A help or document file that is not there: the file's path first.
extern const TBilingualText kFileIsMissing;
// The about box's line on what the program is.
extern const TBilingualText kAboutText;

// What a folder's check state means, for screen readers (shown states 1 to 6).
extern const TBilingualText kStateUnchecked;
extern const TBilingualText kStateChecked;
extern const TBilingualText kStateSubtreeUnchecked;
extern const TBilingualText kStateSubtreeChecked;
extern const TBilingualText kStateGreyUnchecked;
extern const TBilingualText kStateGreyChecked;

// The viewer's find and replace dialog. The direction buttons take the dialog's title as
// "%1" ("上へ検索", "置き換え Downward").
extern const TBilingualText kSearchPatternLabel;
extern const TBilingualText kReplaceStringLabel;
extern const TBilingualText kShowMessageIfNotFound;
extern const TBilingualText kReplaceContinuously;
extern const TBilingualText kConfirmBeforeReplace;
extern const TBilingualText kUseRegularExpression;
extern const TBilingualText kSearchPowerfully;
extern const TBilingualText kSearchUpward;
extern const TBilingualText kSearchDownward;
extern const TBilingualText kConfigOnly;

// The viewer's Save As ("%1": the chosen file).
extern const TBilingualText kSaveAsReplace;
extern const TBilingualText kSaveAsStoreFile;
extern const TBilingualText kSaveAsFailed;  // %2 why

}  // namespace msg
}  // namespace lorvane
