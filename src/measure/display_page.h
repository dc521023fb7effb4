#pragma once

#include "measure/display_texts.h"
#include "measure/value_field.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace vestrix::measure {

// The contents of the Display page: live values of the instrument and the
// MIN/MAX reset button.
class DisplayPage : public QObject {
  Q_OBJECT

 public:
  // Builds the controls on the given page.
  explicit DisplayPage(QWidget* page);

  void show(const DisplayTexts& texts);
  // Every field back to the no-value text.
  void clear();
  // The three input captions, one word a line (again after a new language).
  void wrapInputCaptions();

  ValueField* DateLabel;
  ValueField* TimeLabel;
  ValueField* TensLabel;
  ValueField* EncLabel;
  ValueField* ULabel;
  ValueField* MinLabel;
  ValueField* MaxLabel;
  ValueField* Pk1Label;
  ValueField* Pk2Label;
  QPushButton* BitBtn4;
  QLabel* Label8;
  QLabel* Label9;
  QLabel* Label10;
  QLabel* Label11;
  QLabel* Label12;
  QLabel* Label13;
  QLabel* Label14;
  QLabel* Label15;
  QLabel* Label16;
};

}  // namespace vestrix::measure
