#include "ui/caption_size.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVariant>

#include <algorithm>

namespace vestrix::ui {

namespace {

// The room a label keeps above its text, remembered on the label.
constexpr const char* kMarkRoom = "vestrixMarkRoom";

}  // namespace

void SizeCaption(QLabel* label) {
  const QFontMetrics metrics = label->fontMetrics();
  // A label's text line is as high as the face's ascent and descent; the
  // ink may rise higher (one pixel more for the edge of its smoothing).
  const int rise = -metrics.tightBoundingRect(label->text()).top() - metrics.ascent();
  const int room = rise > 0 ? rise + 1 : 0;
  const int before = label->property(kMarkRoom).toInt();
  if (room != before) {
    QMargins margins = label->contentsMargins();
    margins.setTop(margins.top() - before + room);
    label->setContentsMargins(margins);
    label->move(label->x(), label->y() - room + before);
    label->setProperty(kMarkRoom, room);
  }
  label->adjustSize();
}

}  // namespace vestrix::ui
