#pragma once

#include <QIcon>

namespace vestrix::ui {

// The program's icon, drawn by the program: a gauge needle over a measured
// curve, readable at 16, 32 and 48 pixels.
QPixmap AppIconPixmap(int size);
QIcon AppIcon();

}  // namespace vestrix::ui
