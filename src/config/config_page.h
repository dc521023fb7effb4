#pragma once

#include "config/parameter_edit.h"
#include "protocol/parameter_table.h"

#include <QObject>

#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace vestrix::config {

// The controls of one parameter: a caption, an edit box or a pick-only
// list, and its read and write buttons.
struct ParameterRow {
  const protocol::Parameter* parameter = nullptr;
  QLabel* caption = nullptr;
  ParameterEdit* edit = nullptr;  // Float32 and UInt32 parameters
  QComboBox* list = nullptr;      // list parameters
  QToolButton* readButton = nullptr;
  QToolButton* writeButton = nullptr;
};

// The contents of the "Device configuration" page: six group boxes of
// parameter rows made from the parameter table, the taring and input
// calibration buttons, and the legend. It sends nothing itself: the main
// window wires the buttons.
class ConfigPage : public QObject {
  Q_OBJECT

 public:
  static constexpr int kGroupWidth = 294;

  // Builds the controls on the given page.
  explicit ConfigPage(QWidget* page);

  const std::vector<ParameterRow>& rows() const { return rows_; }
  const ParameterRow& row(const protocol::Parameter& parameter) const;

  // A reply's text into the parameter's edit box.
  void showValue(const protocol::Parameter& parameter, const QString& text);
  // A reply's position into the parameter's list; outside it: no selection.
  void selectChoice(const protocol::Parameter& parameter, int position);

  QGroupBox* GroupBox5 = nullptr;
  QGroupBox* GroupBox9 = nullptr;
  QGroupBox* GroupBox6 = nullptr;
  QGroupBox* GroupBox8 = nullptr;
  QGroupBox* GroupBox7 = nullptr;
  QGroupBox* GroupBox10 = nullptr;
  QPushButton* BitBtn3 = nullptr;  // "Taring"
  QPushButton* BitBtn5 = nullptr;  // "Input calibration"
  QLabel* HelpLabel = nullptr;
  QToolButton* HelpWriteButton = nullptr;  // the legend's buttons do nothing
  QLabel* HelpWriteLabel = nullptr;
  QToolButton* HelpReadButton = nullptr;
  QLabel* HelpReadLabel = nullptr;

 private:
  QGroupBox* groupBox(protocol::ParameterGroup group) const;

  std::vector<ParameterRow> rows_;
};

}  // namespace vestrix::config
