#pragma once

#include <QLineEdit>

namespace vestrix::ui {

// An edit box for a number (the configuration page's values, the capture
// rules): free text, validated only where it is used. It turns light red on invalid input and only a click with
// the left mouse button brings the normal colour back (moving in with the
// keyboard, or another button, does not).
class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  static inline const QColor kInvalidColour{253, 124, 102};

  explicit NumberEdit(QWidget* parent = nullptr);

  void setInvalid(bool invalid);
  // A value from the instrument or a rewritten entry, shown from its start.
  void showValue(const QString& text);
  bool invalid() const { return invalid_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool invalid_ = false;
};

}  // namespace vestrix::ui
