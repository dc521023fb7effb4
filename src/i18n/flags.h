#pragma once

#include <QPixmap>

namespace vestrix::i18n {

// The flags of the language selector, drawn by the program.
QPixmap PolishFlag();         // 18 x 12: a white band over a red band
QPixmap UnitedKingdomFlag();  // 19 x 12

}  // namespace vestrix::i18n
