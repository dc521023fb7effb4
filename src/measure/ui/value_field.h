#pragma once

#include <QHash>
#include <QRawFont>
#include <QStaticText>
#include <QString>
#include <QWidget>

#include <optional>

namespace vestrix::measure {

// A read-only field of the Display page: its text in its own colour on the
// window colour, in a thin raised bevel. Values change up to 66 times a
// second, so it paints itself: no style sheet, a repaint only when the text
// changes, and fixed geometry so that a new text never lays the page out.
//
// Numbers need no shaping: each character's glyph and advance are looked up
// once per font and the text is drawn as a glyph run. A text with a character
// the font lacks is laid out in full (font fallback), as a label would be.
class ValueField : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit ValueField(QWidget* parent = nullptr);

  const QString& text() const { return text_; }
  void setText(const QString& text);
  void setTextColour(const QColor& colour);

  // Paints the text the slow way, laid out in full: what the glyph run must
  // look like (kept for fallback and for the test that compares both).
  void setAlwaysLaidOut(bool laidOut);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Glyph {
    quint32 index = 0;
    qreal advance = 0;
  };

  QRect textRect() const;
  qreal lineTop(const QRect& area) const;
  // Where a change from one text to the other starts, in pixels from the left.
  int changedFrom(const QString& before, const QString& after);
  bool drawGlyphRun(QPainter& painter, const QRect& area);
  void drawLaidOut(QPainter& painter, const QRect& area);
  void fontChanged();
  std::optional<Glyph> glyphFor(char16_t c);
  qreal kerning(char16_t first, char16_t second);

  QString text_;
  QStaticText laidOut_;  // laid out at most once per text, when first painted
  QColor colour_;
  bool alwaysLaidOut_ = false;
  QRawFont rawFont_;               // of the current font, taken when first needed
  QHash<char16_t, Glyph> glyphs_;  // per character of the current font
  QHash<quint32, qreal> kerning_;  // per pair of characters of the current font
  QVector<quint32> runIndexes_;    // kept between paints: no allocation per value
  QVector<QPointF> runPositions_;
};

}  // namespace vestrix::measure
