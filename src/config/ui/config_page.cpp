#include "config/ui/config_page.h"

#include "ui/compact_combo_style.h"
#include "ui/glyphs.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <array>

namespace vestrix::config {

namespace {

struct GroupBoxSpec {
  ParameterGroup group;
  const char* name;
  const char* caption;
  int left, top, height;
};

// In ParameterGroup's order.
constexpr std::array<GroupBoxSpec, 6> kGroupBoxes = {{
    {ParameterGroup::Tensometric, "GroupBox5", "Tensometric input settings", 3, 2, 246},
    {ParameterGroup::Trigger, "GroupBox9", "Trigger measurement", 3, 254, 173},
    {ParameterGroup::Global, "GroupBox6", "Gloabal settings", 3, 433, 125},
    {ParameterGroup::Counter, "GroupBox8", "Counter input settings", 303, 3, 106},
    {ParameterGroup::Analog, "GroupBox7", "Analog input settings", 303, 115, 142},
    {ParameterGroup::Relay, "GroupBox10", "Relay settings", 303, 263, 186},
}};

// Row geometry inside a group box.
constexpr int kFirstRowTop = 23;
constexpr int kRowPitch = 27;
constexpr int kCaptionLeft = 19;
constexpr int kValueLeft = 141, kValueWidth = 83, kValueHeight = 21;
constexpr int kReadLeft = 230, kWriteLeft = 259, kButtonWidth = 23, kButtonHeight = 22;
constexpr int kActionWidth = 262, kActionHeight = 25;

int RowTop(int row) { return kFirstRowTop + row * kRowPitch; }

QToolButton* GlyphButton(QWidget* parent, const char* name, const QIcon& glyph, int left, int top) {
  auto* button = ui::Place<QToolButton>(parent, name, left, top, kButtonWidth, kButtonHeight);
  button->setIcon(glyph);
  button->setIconSize(QSize(16, 16));
  button->setFocusPolicy(Qt::NoFocus);  // like the speed buttons they are
  return button;
}

// Below the last parameter row of a box.
QPushButton* ActionButton(QGroupBox* box, const char* name, const char* caption, int rows) {
  auto* button = ui::Place<QPushButton>(box, name, kCaptionLeft, RowTop(rows) + 2, kActionWidth, kActionHeight);
  button->setText(QString::fromLatin1(caption));
  return button;
}

}  // namespace

ConfigPage::ConfigPage(protocol::CommandPort& port, QWidget* parent) : QWidget(parent), port_(port) {
  setObjectName(QStringLiteral("TabSheet4"));
  handlers = {.read = [this](const protocol::Parameter& p) { read(p); },
              .writeFloat = [this](ui::NumberEdit* box, std::uint8_t code, float upper,
                                   float lower) { writeFloat(box, code, upper, lower); },
              .writeRatedCapacity = [this] { writeRatedCapacity(); },
              .writeList = [this](QComboBox* list, std::uint8_t code, int offset) { writeList(list, code, offset); },
              .tare = [this] { tare(); },
              .calibrateInput = [this] { calibrateInput(); },
              .editClicked = [this](ui::NumberEdit* box) { editClicked(box); }};
  build();
  for (const ParameterRow& r : rows_) wire(r);
  connect(taringButton_, &QPushButton::clicked, this, [this] { handlers.tare(); });
  connect(calibrationButton_, &QPushButton::clicked, this, [this] { handlers.calibrateInput(); });
}

void ConfigPage::build() {
  for (const GroupBoxSpec& spec : kGroupBoxes) {
    auto* box = ui::Place<QGroupBox>(this, spec.name, spec.left, spec.top, kGroupWidth, spec.height);
    box->setTitle(QString::fromLatin1(spec.caption));
    groupBoxes_.push_back(box);
  }

  const QIcon read = ui::ReadGlyph();
  const QIcon write = ui::WriteGlyph();
  int rowsIn[kGroupBoxes.size()] = {};
  for (const protocol::Parameter& p : protocol::Parameters()) {
    const ParameterPlace& place = PlaceOf(p);
    QGroupBox* box = groupBox(place.group);
    const int top = RowTop(place.row);
    ParameterRow row;
    row.parameter = &p;
    row.caption = ui::PlaceLabel(box, place.captionLabel, QString::fromLatin1(place.caption), kCaptionLeft, top + 3);
    if (p.isList()) {
      row.list = ui::Place<QComboBox>(box, place.control, kValueLeft, top, kValueWidth, kValueHeight);
      row.list->setStyle(ui::CompactComboStyle());
      for (int i = 0; i < p.choices.count(); ++i) row.list->addItem(QString::fromStdString(p.choices.text(i)));
      row.list->setCurrentIndex(0);
    } else {
      row.edit = ui::Place<ui::NumberEdit>(box, place.control, kValueLeft, top, kValueWidth, kValueHeight);
    }
    row.readButton = GlyphButton(box, place.readButton, read, kReadLeft, top);
    row.writeButton = GlyphButton(box, place.writeButton, write, kWriteLeft, top);
    rows_.push_back(row);
    ++rowsIn[static_cast<int>(place.group)];
  }

  taringButton_ = ActionButton(groupBox(ParameterGroup::Tensometric), "BitBtn3", "Taring",
                               rowsIn[static_cast<int>(ParameterGroup::Tensometric)]);
  calibrationButton_ = ActionButton(groupBox(ParameterGroup::Analog), "BitBtn5", "Input calibration",
                                    rowsIn[static_cast<int>(ParameterGroup::Analog)]);

  // The legend; its buttons do nothing.
  ui::PlaceLabel(this, "Label52", QStringLiteral("Help:"), 374, 463);
  GlyphButton(this, "SpeedButton50", write, 374, 482);
  ui::PlaceLabel(this, "Label47", QStringLiteral("- save to device"), 403, 486);
  GlyphButton(this, "SpeedButton51", read, 374, 510);
  ui::PlaceLabel(this, "Label51", QStringLiteral("- read from device"), 403, 513);
}

void ConfigPage::wire(const ParameterRow& r) {
  const protocol::Parameter& p = *r.parameter;
  connect(r.readButton, &QToolButton::clicked, this, [this, &p] { handlers.read(p); });
  switch (p.kind) {
    case protocol::ValueKind::Float32:
      connect(r.writeButton, &QToolButton::clicked, this,
              [this, &p, box = r.edit] { handlers.writeFloat(box, p.writeCode(), p.upper, p.lower); });
      break;
    case protocol::ValueKind::UInt32:
      connect(r.writeButton, &QToolButton::clicked, this, [this] { handlers.writeRatedCapacity(); });
      break;
    case protocol::ValueKind::Index:
    case protocol::ValueKind::ModbusAddress:
      connect(r.writeButton, &QToolButton::clicked, this,
              [this, &p, list = r.list] { handlers.writeList(list, p.writeCode(), p.indexOffset()); });
      break;
  }
  if (r.edit != nullptr) {
    connect(r.edit, &ui::NumberEdit::clicked, this, [this, box = r.edit] { handlers.editClicked(box); });
  }
}

QGroupBox* ConfigPage::groupBox(ParameterGroup group) const { return groupBoxes_.at(static_cast<std::size_t>(group)); }

const ParameterRow& ConfigPage::row(const protocol::Parameter& parameter) const {
  for (const ParameterRow& r : rows_) {
    if (r.parameter == &parameter) return r;
  }
  return rows_.front();  // every parameter of the table has its row
}

void ConfigPage::showValue(const protocol::Parameter& parameter, const QString& text) {
  if (ui::NumberEdit* edit = row(parameter).edit) edit->showValue(text);
}

void ConfigPage::selectChoice(const protocol::Parameter& parameter, int position) {
  QComboBox* list = row(parameter).list;
  if (list == nullptr) return;
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

void ConfigPage::read(const protocol::Parameter& parameter) { port_.sendRequest(parameter.readCode); }

void ConfigPage::tare() { port_.sendRequest(protocol::kTaring); }

void ConfigPage::calibrateInput() { port_.sendRequest(protocol::kInputCalibration); }

void ConfigPage::editClicked(ui::NumberEdit* box) { box->setInvalid(false); }

// Writes go whether connected or not; without a usable instrument nothing
// leaves the PC.
void ConfigPage::send(ui::NumberEdit* box, const EditWrite& write) {
  if (!write.command) {
    box->setInvalid(true);
    return;
  }
  box->showValue(write.text);
  port_.sendCommand(*write.command);
}

void ConfigPage::writeFloat(ui::NumberEdit* box, std::uint8_t writeCode, float upper, float lower) {
  send(box, EncodeFloatWrite(box->text(), separator_, writeCode, upper, lower));
}

void ConfigPage::writeRatedCapacity() {
  const protocol::Parameter& range = *protocol::FindParameterByReadCode(protocol::kTensRangeRead);
  ui::NumberEdit* box = row(range).edit;
  send(box, EncodeRatedCapacityWrite(box->text(), range.writeCode()));
}

void ConfigPage::writeList(QComboBox* list, std::uint8_t writeCode, int offset) {
  if (const std::optional<protocol::Command> command = EncodeListWrite(writeCode, list->currentIndex(), offset)) {
    port_.sendCommand(*command);
  }
}

}  // namespace vestrix::config
