#include "measure/ui/value_field.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

namespace vestrix::measure {

ValueField::ValueField(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: nothing behind it is drawn first
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFocusPolicy(Qt::NoFocus);
}

void ValueField::setText(const QString& text) {
  if (text == text_) return;
  // A new value mostly differs in its last digits: only from there on is
  // painted again.
  const int from = changedFrom(text_, text);
  text_ = text;
  // Laid out only if it is painted that way: a field out of sight costs nothing.
  laidOut_.setText(text_);
  update(QRect(from, 0, width() - from, height()));
}

int ValueField::changedFrom(const QString& before, const QString& after) {
  const QRect area = textRect();
  if (alwaysLaidOut_ || !rawFont_.isValid() || !isVisible()) return 0;
  qsizetype same = 0;
  while (same < before.size() && same < after.size() && before[same] == after[same]) ++same;
  // The glyph before the first change too: its kerning with the next one,
  // and ink that reaches past its advance, may change.
  const qsizetype keep = std::max<qsizetype>(0, same - 1);
  qreal x = area.left();
  for (qsizetype i = 0; i < keep; ++i) {
    const std::optional<Glyph> glyph = glyphFor(before[i].unicode());
    if (!glyph || glyph->index == 0) return 0;
    x += glyph->advance + kerning(before[i].unicode(), before[i + 1].unicode());
  }
  // A bold glyph's ink can start a little left of its origin.
  return std::max(0, static_cast<int>(x) - 2);
}

void ValueField::setAlwaysLaidOut(bool laidOut) {
  alwaysLaidOut_ = laidOut;
  update();
}

void ValueField::fontChanged() {
  laidOut_.setText(text_);  // laid out anew in the new font
  rawFont_ = QRawFont();
  glyphs_.clear();
  kerning_.clear();
}

void ValueField::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) fontChanged();
  QWidget::changeEvent(event);
}

QRect ValueField::textRect() const { return rect().adjusted(3, 1, -3, -1); }

void ValueField::setTextColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void ValueField::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, palette().window());
  // The bevel: light above and left, mid below and right. One-pixel fills:
  // cheaper than pen lines, and the same pixels.
  const QColor light = palette().color(QPalette::Light);
  const QColor mid = palette().color(QPalette::Mid);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), mid);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), mid);
  p.setPen(colour_.isValid() ? colour_ : palette().color(QPalette::WindowText));
  p.setFont(font());
  const QRect area = textRect();
  p.setClipRect(area);
  if (alwaysLaidOut_ || !drawGlyphRun(p, area)) drawLaidOut(p, area);
}

// The line centred in the area by the font's height, as a label centres it,
// whatever the glyphs: dashes sit where the digits' middle will be.
qreal ValueField::lineTop(const QRect& area) const {
  const QFontMetricsF metrics(font());
  return area.top() + (area.height() - (metrics.ascent() + metrics.descent())) / 2;
}

// By value: a later lookup may grow the table and move what it holds.
std::optional<ValueField::Glyph> ValueField::glyphFor(char16_t c) {
  auto found = glyphs_.constFind(c);
  if (found != glyphs_.cend()) return *found;
  Glyph glyph;
  const QChar ch(c);
  int count = 1;
  if (ch.isSurrogate() || !rawFont_.glyphIndexesForChars(&ch, 1, &glyph.index, &count) || count != 1) {
    return std::nullopt;
  }
  QPointF advance;
  rawFont_.advancesForGlyphIndexes(&glyph.index, &advance, 1);
  glyph.advance = advance.x();
  glyphs_.insert(c, glyph);
  return glyph;
}

// The font's kerning of a pair, as the full layout applies it: what the pair
// takes laid out, less what its characters take alone. Once per pair and font.
qreal ValueField::kerning(char16_t first, char16_t second) {
  const quint32 key = (quint32{first} << 16) | second;
  auto found = kerning_.constFind(key);
  if (found == kerning_.cend()) {
    const QFontMetricsF metrics(font());
    const QChar a(first);
    const QChar b(second);
    const std::optional<Glyph> left = glyphFor(first);
    const std::optional<Glyph> right = glyphFor(second);
    // A character without a glyph ends the run anyway.
    const qreal kern = left && right ? metrics.horizontalAdvance(QString(a) + b) - left->advance - right->advance : 0;
    found = kerning_.insert(key, kern);
  }
  return *found;
}

void ValueField::drawLaidOut(QPainter& p, const QRect& area) {
  p.drawStaticText(QPointF(area.left(), lineTop(area)), laidOut_);
}

bool ValueField::drawGlyphRun(QPainter& p, const QRect& area) {
  if (text_.isEmpty()) return true;
  if (!rawFont_.isValid()) {
    rawFont_ = QRawFont::fromFont(font());
    if (!rawFont_.isValid()) return false;
  }
  runIndexes_.resize(text_.size());
  runPositions_.resize(text_.size());
  const qreal baseline = lineTop(area) + QFontMetricsF(font()).ascent();
  qreal x = area.left();
  for (qsizetype i = 0; i < text_.size(); ++i) {
    const std::optional<Glyph> glyph = glyphFor(text_[i].unicode());
    // Glyph 0 is "missing": such a text needs font fallback.
    if (!glyph || glyph->index == 0) return false;
    runIndexes_[i] = glyph->index;
    runPositions_[i] = QPointF(x, baseline);
    x += glyph->advance;
    if (i + 1 < text_.size()) x += kerning(text_[i].unicode(), text_[i + 1].unicode());
  }
  QGlyphRun run;
  run.setRawFont(rawFont_);
  run.setGlyphIndexes(runIndexes_);
  run.setPositions(runPositions_);
  p.drawGlyphRun(QPointF(0, 0), run);
  return true;
}

}  // namespace vestrix::measure
