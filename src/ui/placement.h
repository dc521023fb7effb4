#pragma once

#include "ui/caption_size.h"

#include <QLabel>
#include <QString>
#include <QWidget>

namespace vestrix::ui {

// Placement helpers of the pages, which are laid out in fixed pixels: a
// child with the name the translation table and the tests find it by, at
// a fixed position.
template <class W>
W* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// A label sized to its text, like an auto-sized caption.
inline QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  SizeCaption(label);
  return label;
}

}  // namespace vestrix::ui
