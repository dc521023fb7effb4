#pragma once

#include <QString>

#include <cstdint>

namespace vestrix::i18n {

// A count in words, in the grammatical number its language wants: forms
// joined by "|", "%n" standing for the count. Two forms are English's
// (one; more), three are Polish's (1; 2-4, 22-24...; 5-21, 25-31...).
QString CountedText(const QString& forms, std::int64_t n);

}  // namespace vestrix::i18n
