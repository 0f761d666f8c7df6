#pragma once
// Names of settings-file sections and values that more than one place uses, written once.
// (Names that are not plain ASCII live in the one .cpp that uses them.)

namespace lorvane::keys {

inline constexpr const char* kOption = "Option";
inline constexpr const char* kLengthLimit = "Length Limit";
inline constexpr const char* kRegExp = "RegExp";
inline constexpr const char* kPowerful = "Powerful";
inline constexpr const char* kCheckHeader = "CheckHeader";
inline constexpr const char* kCheckBody = "CheckBody";
inline constexpr const char* kLimit32KB = "Limit 32KB";
inline constexpr const char* kQuotationMark = "Quotation Mark";

inline constexpr const char* kKeyword = "Keyword";
inline constexpr const char* kMethod = "Method";  // "AND", "OR" or "Logic"

inline constexpr const char* kDisplay = "Display";
inline constexpr const char* kSort = "Sort";
inline constexpr const char* kProgressBar = "ProgressBar";
inline constexpr const char* kProgressReport = "Progress Report";

// The viewer window's placement, and its own settings.
inline constexpr const char* kViewForm = "ViewForm";
inline constexpr const char* kMailViewer = "Mail Viewer";
inline constexpr const char* kBackground = "Background";
inline constexpr const char* kReadOnly = "ReadOnly";
// The find and replace dialog's placement, button column and conditions.
inline constexpr const char* kSearchForm = "SearchForm";

inline constexpr const char* kMailers = "Mailers";
inline constexpr const char* kStatus = "Status";
inline constexpr const char* kExpanded = "Expanded";
inline constexpr const char* kHidden = "Hidden";
inline constexpr const char* kInstalled = "Installed";

inline constexpr const char* kDirectory = "Directory";
inline constexpr const char* kNumber = "Number";
inline constexpr const char* kPath = "Path";
inline constexpr const char* kRecursive = "Recursive";

}  // namespace lorvane::keys
