#include "measure/force_unit.h"

namespace vestrix::measure {

ForceUnit ForceUnitAt(int position) {
  switch (position) {
    case 0: return ForceUnit::Gram;
    case 1: return ForceUnit::Kilogram;
    case 2: return ForceUnit::Newton;
    case 3: return ForceUnit::Kilonewton;
    case 4: return ForceUnit::Pound;
    default: return ForceUnit::Unknown;
  }
}

QString UnitSymbol(ForceUnit unit) {
  switch (unit) {
    case ForceUnit::Gram: return QStringLiteral("g");
    case ForceUnit::Kilogram: return QStringLiteral("kg");
    case ForceUnit::Newton: return QStringLiteral("N");
    case ForceUnit::Kilonewton: return QStringLiteral("kN");
    case ForceUnit::Pound: return QStringLiteral("lbf");
    case ForceUnit::Unknown: break;
  }
  return {};
}

QString WithUnit(const QString& caption, ForceUnit unit, const QString& unknownText) {
  return unit == ForceUnit::Unknown ? QStringLiteral("%1 (%2)").arg(caption, unknownText)
                                    : QStringLiteral("%1 [%2]").arg(caption, UnitSymbol(unit));
}

}  // namespace vestrix::measure
