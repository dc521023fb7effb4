#pragma once

#include "config/parameter_write.h"
#include "config/ui/parameter_layout.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "ui/number_edit.h"
#include "ui/window_page.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace vestrix::config {

// The controls of one parameter: a caption, an edit box or a pick-only
// list, and its read and write buttons.
struct ParameterRow {
  const protocol::Parameter* parameter = nullptr;
  QLabel* caption = nullptr;
  ui::NumberEdit* edit = nullptr;  // Float32 and UInt32 parameters
  QComboBox* list = nullptr;       // list parameters
  QToolButton* readButton = nullptr;
  QToolButton* writeButton = nullptr;
};

// The "Device configuration" page: six group boxes of parameter rows made
// from the parameter table, the taring and input calibration buttons, and
// the legend. A read button sends its request; a write button validates,
// clamps and rewrites its value and sends the write; replies fill the
// controls.
class ConfigPage : public QWidget, public ui::WindowPage {
  Q_OBJECT

 public:
  static constexpr int kGroupWidth = 294;

  explicit ConfigPage(protocol::CommandPort& port, QWidget* parent = nullptr);

  void setDecimalSeparator(QChar separator) override { separator_ = separator; }

  const std::vector<ParameterRow>& rows() const { return rows_; }
  const ParameterRow& row(const protocol::Parameter& parameter) const;
  QGroupBox* groupBox(ParameterGroup group) const;
  QPushButton* taringButton() const { return taringButton_; }
  QPushButton* calibrationButton() const { return calibrationButton_; }

  // A reply's text into the parameter's edit box.
  void showValue(const protocol::Parameter& parameter, const QString& text);
  // A reply's position into the parameter's list; outside it: no selection.
  void selectChoice(const protocol::Parameter& parameter, int position);

  // What the buttons do.
  void read(const protocol::Parameter& parameter);
  void writeFloat(ui::NumberEdit* box, std::uint8_t writeCode, float upper, float lower);
  void writeRatedCapacity();
  void writeList(QComboBox* list, std::uint8_t writeCode, int offset);
  void tare();
  void calibrateInput();
  // A click on an edit box: its colour back to normal.
  void editClicked(ui::NumberEdit* box);

  // What the controls call: the methods above, unless the window routes
  // them through its handlers named after the controls (which call back).
  struct Handlers {
    std::function<void(const protocol::Parameter&)> read;
    std::function<void(ui::NumberEdit*, std::uint8_t writeCode, float upper, float lower)> writeFloat;
    std::function<void()> writeRatedCapacity;
    std::function<void(QComboBox*, std::uint8_t writeCode, int offset)> writeList;
    std::function<void()> tare;
    std::function<void()> calibrateInput;
    std::function<void(ui::NumberEdit*)> editClicked;
  };
  Handlers handlers;

 private:
  void build();
  void wire(const ParameterRow& row);
  void send(ui::NumberEdit* box, const EditWrite& write);

  protocol::CommandPort& port_;
  QChar separator_ = QLatin1Char('.');
  std::vector<ParameterRow> rows_;
  std::vector<QGroupBox*> groupBoxes_;  // by ParameterGroup
  QPushButton* taringButton_ = nullptr;
  QPushButton* calibrationButton_ = nullptr;
};

}  // namespace vestrix::config
