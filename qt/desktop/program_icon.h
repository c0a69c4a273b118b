#pragma once

// The program's icon, from one SVG of our own compiled into the program (app/icons/kargolo.svg):
// a blue tile with a white table whose two cells carry cargo, joined by an arrow. The same
// drawing gives the icons the installed program leaves for the desktop.

#include <QIcon>
#include <QImage>

namespace kargolo {

constexpr int kProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QImage RenderProgramIcon(int size);
QIcon ProgramIcon();

}  // namespace kargolo
