#pragma once

#include <QStaticText>
#include <QString>
#include <QWidget>

namespace vestrix::measure {

// A read-only field of the Display page: its text in its own colour on the
// window colour, in a thin raised bevel. Values change up to 66 times a
// second, so it paints itself: no style sheet, a repaint only when the text
// changes, and fixed geometry so that a new text never lays the page out.
class ValueField : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit ValueField(QWidget* parent = nullptr);

  const QString& text() const { return text_; }
  void setText(const QString& text);
  void setTextColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QRect textRect() const;

  QString text_;
  QStaticText laidOut_;  // laid out at most once per text, when first painted
  QColor colour_;
};

}  // namespace vestrix::measure
