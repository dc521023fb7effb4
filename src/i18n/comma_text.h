#pragma once

#include <QString>
#include <QStringList>

namespace vestrix::i18n {

// A list in comma-separated form: entries joined by ",", an entry that
// holds a blank, a comma or a quotation mark enclosed in quotation marks
// (a quotation mark inside doubled).
QString ToCommaText(const QStringList& entries);
QStringList FromCommaText(const QString& text);

}  // namespace vestrix::i18n
