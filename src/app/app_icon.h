#pragma once

#include <QImage>

namespace vexlo {

// Vexlo's icon, drawn at any size: four tiles of a sheet, one of them in a
// key colour, on a dark rounded square. The window uses it and the install
// writes it out as the desktop's icon files.
QImage DrawAppIcon(int size);

} // namespace vexlo
