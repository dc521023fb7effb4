#pragma once

#include <QLineEdit>

namespace vestrix::config {

// An edit box of the configuration page: free text, validated only on its
// write button. It turns light red on invalid input and only a click with
// the left mouse button brings the normal colour back (moving in with the
// keyboard, or another button, does not).
class ParameterEdit : public QLineEdit {
  Q_OBJECT

 public:
  static inline const QColor kInvalidColour{253, 124, 102};

  explicit ParameterEdit(QWidget* parent = nullptr);

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

}  // namespace vestrix::config
