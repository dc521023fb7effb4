#pragma once

class QLabel;

namespace vestrix::ui {

// Sizes a caption to its text, as an auto-sized label is, with room above
// for the marks that rise over the face's ascent (the accent of "Ź"): the
// label grows upward, so its text stays where it was. For every change of
// its text or font.
void SizeCaption(QLabel* label);

}  // namespace vestrix::ui
