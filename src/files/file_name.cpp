#include "files/file_name.h"

#include <algorithm>

namespace vestrix::files {

QString WithExtension(const QString& chosen, const QString& wanted) {
  const qsizetype folder = std::max({chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\')),
                                     chosen.lastIndexOf(QLatin1Char(':'))});
  const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
  const QString extension = dot > folder ? chosen.mid(dot) : QString();
  return extension == wanted ? chosen : chosen + wanted;
}

}  // namespace vestrix::files
