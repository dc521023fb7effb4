#pragma once

#include <QLineEdit>

namespace vestrix::config {

// An edit box of the configuration page: free text, validated only on its
// write button. It turns light red on invalid input and only a mouse click
// brings the normal colour back (moving in with the keyboard does not).
class ParameterEdit : public QLineEdit {
  Q_OBJECT

 public:
  static inline const QColor kInvalidColour{253, 124, 102};

  explicit ParameterEdit(QWidget* parent = nullptr);

  void setInvalid(bool invalid);
  bool invalid() const { return invalid_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool invalid_ = false;
};

}  // namespace vestrix::config
