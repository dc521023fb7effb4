#pragma once

#include <QString>

#include <cstdint>

namespace vestrix::measure {

// The unit of the strain-gauge input, as the instrument's TensUnit
// parameter sets it; unknown until the instrument said it.
enum class ForceUnit { Unknown, Gram, Kilogram, Newton, Kilonewton, Pound };

// From the position a TensUnit reply carries (0 g ... 4 pound); any other
// position is no unit the program knows.
ForceUnit ForceUnitAt(int position);

// Its symbol ("g", "kg", "N", "kN", "lbf"); empty when unknown.
QString UnitSymbol(ForceUnit unit);

// A caption with its unit: "Tensometric [N]"; with the unit unknown, the
// caption and the given words for it: "Tensometric (unit unknown)".
QString WithUnit(const QString& caption, ForceUnit unit, const QString& unknownText);

}  // namespace vestrix::measure
