#pragma once

// The program's icon, drawn rather than loaded, so that it needs no image format plugin: a
// blue tile with a white table whose two cells carry cargo, joined by an arrow.

#include <QIcon>

namespace kargolo {

QIcon ProgramIcon();

}  // namespace kargolo
