#pragma once
// The GUI's edge between the core's CP932 strings and Qt's QString. One UTF-16 unit per
// core character (see Cp932ToUtf16Lossy), so widget positions and byte offsets map by
// counting.

#include <QString>
#include <string>
#include <string_view>

namespace lorvane::ui {

QString FromCore(std::string_view cp932);
std::string ToCore(const QString& text);

// Host paths (UTF-8 on POSIX, CP932 on Windows) for Qt's file dialogs and models.
QString FromHostPath(const std::string& host_path);
std::string ToHostPath(const QString& path);

}  // namespace lorvane::ui
