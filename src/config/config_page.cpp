#include "config/config_page.h"

#include "ui/compact_combo_style.h"
#include "ui/glyphs.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <array>

namespace vestrix::config {

namespace {

using protocol::ParameterGroup;

struct GroupBoxSpec {
  ParameterGroup group;
  const char* name;
  const char* caption;
  int left, top, height;
};

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

QToolButton* GlyphButton(QWidget* parent, const QString& name, const QIcon& glyph, int left, int top) {
  auto* button = ui::Place<QToolButton>(parent, name.toLatin1().constData(), left, top, kButtonWidth, kButtonHeight);
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

ConfigPage::ConfigPage(QWidget* page) : QObject(page) {
  setObjectName(QStringLiteral("ConfigPage"));
  QGroupBox** boxes[] = {&GroupBox5, &GroupBox9, &GroupBox6, &GroupBox8, &GroupBox7, &GroupBox10};
  for (std::size_t i = 0; i < kGroupBoxes.size(); ++i) {
    const GroupBoxSpec& spec = kGroupBoxes[i];
    *boxes[i] = ui::Place<QGroupBox>(page, spec.name, spec.left, spec.top, kGroupWidth, spec.height);
    (*boxes[i])->setTitle(QString::fromLatin1(spec.caption));
  }

  const QIcon read = ui::ReadGlyph();
  const QIcon write = ui::WriteGlyph();
  int rowsIn[kGroupBoxes.size()] = {};
  for (const protocol::Parameter& p : protocol::Parameters()) {
    QGroupBox* box = groupBox(p.group);
    const int top = RowTop(p.row);
    ParameterRow row;
    row.parameter = &p;
    row.caption = ui::PlaceLabel(box, p.captionLabel, QString::fromLatin1(p.caption), kCaptionLeft, top + 3);
    if (p.isList()) {
      row.list = ui::Place<QComboBox>(box, p.control, kValueLeft, top, kValueWidth, kValueHeight);
      row.list->setStyle(ui::CompactComboStyle());
      for (int i = 0; i < p.choices.count(); ++i) row.list->addItem(QString::fromStdString(p.choices.text(i)));
      row.list->setCurrentIndex(0);
    } else {
      row.edit = new ParameterEdit(box);
      row.edit->setObjectName(QString::fromLatin1(p.control));
      row.edit->setGeometry(kValueLeft, top, kValueWidth, kValueHeight);
    }
    row.readButton = GlyphButton(box, QString::fromLatin1(p.readButton), read, kReadLeft, top);
    row.writeButton = GlyphButton(box, QString::fromLatin1(p.writeButton), write, kWriteLeft, top);
    rows_.push_back(row);
    ++rowsIn[static_cast<int>(p.group)];
  }

  BitBtn3 = ActionButton(GroupBox5, "BitBtn3", "Taring", rowsIn[static_cast<int>(ParameterGroup::Tensometric)]);
  BitBtn5 = ActionButton(GroupBox7, "BitBtn5", "Input calibration", rowsIn[static_cast<int>(ParameterGroup::Analog)]);

  HelpLabel = ui::PlaceLabel(page, "Label52", QStringLiteral("Help:"), 374, 463);
  HelpWriteButton = GlyphButton(page, QStringLiteral("SpeedButton50"), write, 374, 482);
  HelpWriteLabel = ui::PlaceLabel(page, "Label47", QStringLiteral("- save to device"), 403, 486);
  HelpReadButton = GlyphButton(page, QStringLiteral("SpeedButton51"), read, 374, 510);
  HelpReadLabel = ui::PlaceLabel(page, "Label51", QStringLiteral("- read from device"), 403, 513);
}

QGroupBox* ConfigPage::groupBox(ParameterGroup group) const {
  switch (group) {
    case ParameterGroup::Tensometric: return GroupBox5;
    case ParameterGroup::Trigger: return GroupBox9;
    case ParameterGroup::Global: return GroupBox6;
    case ParameterGroup::Counter: return GroupBox8;
    case ParameterGroup::Analog: return GroupBox7;
    case ParameterGroup::Relay: return GroupBox10;
  }
  return GroupBox5;
}

const ParameterRow& ConfigPage::row(const protocol::Parameter& parameter) const {
  for (const ParameterRow& r : rows_) {
    if (r.parameter == &parameter) return r;
  }
  return rows_.front();  // every parameter of the table has its row
}

void ConfigPage::showValue(const protocol::Parameter& parameter, const QString& text) {
  if (ParameterEdit* edit = row(parameter).edit) edit->showValue(text);
}

void ConfigPage::selectChoice(const protocol::Parameter& parameter, int position) {
  QComboBox* list = row(parameter).list;
  if (list == nullptr) return;
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

}  // namespace vestrix::config
