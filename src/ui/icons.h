#pragma once
// The folder tree's images, drawn rather than loaded so that they are crisp at every
// scale: the seven check-box states and the twenty node icons.

#include <QIcon>

namespace lorvane::ui {

constexpr int kStateIcons = 7;  // 0 empty, then the shown check states 1 to 6
constexpr int kNodeIcons = 20;  // 0 empty, 1 folder with mail, 2 container, 3..19 mail programs

QIcon StateIcon(int state);
QIcon NodeIcon(int index);
// The program's own icon.
QIcon ProgramIcon();

}  // namespace lorvane::ui
