#pragma once

#include <QIcon>

namespace vestrix::ui {

// The 16 x 16 glyphs of the read and write buttons, drawn by the program
// for device pixel ratios 1 and 2 so that both stay crisp.
// Read: a blue arrow pointing left, towards the value.
QIcon ReadGlyph();
// Write: a green disc with a white check mark.
QIcon WriteGlyph();

// One glyph as a pixmap of 16 x 16 device-independent pixels.
QPixmap ReadGlyphPixmap(qreal devicePixelRatio);
QPixmap WriteGlyphPixmap(qreal devicePixelRatio);

}  // namespace vestrix::ui
