#pragma once
// The built-in viewer's model: the messages of the result it steps through, and one
// message loaded for showing (its text, cut to 32 KB when asked, the window title and
// where the body starts). The viewer window shows what these give.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_reader.h"

namespace lorvane {

class TViewerMessages {
 public:
  // Appends the entry "First,Last,FileName".
  void AddMail(const std::string& file_name, int32_t first, int32_t last);

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  // The message on screen (0-based); 0 before any ShowMail.
  int Index() const { return index_; }
  // Makes `index` current; false, and nothing changes, outside the list.
  bool SetIndex(int index);

  // The position caption and the previous / next items are shown only for more than one
  // message; then previous is enabled above the first, next below the last.
  bool ShowsNavigation() const { return entries_.size() > 1; }
  bool HasPrevious() const { return index_ > 0; }
  bool HasNext() const { return index_ + 1 < Count(); }
  std::string PositionCaption() const;  // "3/12"

  // The address of entry `index`, taken apart at its first two commas (the file name is
  // all after the second); {"" , 0, -1} outside the list.
  TMail MailAt(int index) const;
  TMail Current() const { return MailAt(index_); }

 private:
  std::vector<std::string> entries_;
  int index_ = 0;
};

// What the viewer shows at most when "Option"/"Limit 32KB" is on.
constexpr size_t kViewerTextLimit = 32768;

struct TViewedMessage {
  std::string text;   // CP932, lines ended by CR LF
  std::string title;  // the window caption
  // The body's first non-empty line (0-based) and its byte offset, scrolled to the top
  // with the caret at its start; -1 and 0 when the text has none.
  int body_line = -1;
  size_t body_offset = 0;
  std::string error;  // why the message could not be read (text then empty)
};

// The first kViewerTextLimit bytes of `text`, one byte fewer when the last would be the
// first half of a double-byte character.
std::string_view LimitViewerText(std::string_view text);

// The title and body start of a text: "Filename: " and the file's name, unless the header
// (the lines before the first empty one) has "Subject:" lines (any letter case), the last
// of which gives the title, trimmed.
void ReadViewerHeader(std::string_view file_name, std::string_view text, TViewedMessage* page);

// Reads the message (a missing file gives an empty text) and fills everything above.
TViewedMessage LoadViewedMessage(TMailReader& reader, const TMail& mail, bool limit_32kb);

}  // namespace lorvane
