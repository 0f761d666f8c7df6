// Conversion of core strings for the widgets, through the core's code-page tables.

#include "ui/qt_text.h"

#include "common/codepage.h"

namespace lorvane::ui {

QString FromCore(std::string_view cp932) {
  const std::u16string wide = Cp932ToUtf16Lossy(cp932);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

std::string ToCore(const QString& text) {
  return Utf16ToCp932Lossy(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

QString FromHostPath(const std::string& host_path) {
#ifdef _WIN32
  return FromCore(host_path);
#else
  return QString::fromStdString(host_path);
#endif
}

std::string ToHostPath(const QString& path) {
#ifdef _WIN32
  return ToCore(path);
#else
  return path.toStdString();
#endif
}

}  // namespace lorvane::ui
