// Captions show every mark of their letters: a capital with an accent
// ("Źródło wyzwalania") keeps its accent, in Polish, with the window's face
// and with the face that stands in when that one is missing.
#include "app/main_window.h"
#include "hid/simulated/sim_bus.h"
#include "i18n/translation_table.h"

#include "support/test_settings.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace vestrix::ui {
namespace {

// Dark pixels in rows [from, to) of an image.
int InkInRows(const QImage& image, int from, int to) {
  int ink = 0;
  for (int y = std::max(0, from); y < std::min(image.height(), to); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
  }
  return ink;
}

// The ink a label would draw outside its own rectangle: the same label with
// room above and below, and whatever lands in that room.
int ClippedInk(const QLabel& label) {
  constexpr int kRoom = 12;
  QLabel twin;
  twin.setFont(label.font());
  twin.setText(label.text());
  twin.setAlignment(label.alignment());
  twin.setWordWrap(label.wordWrap());
  twin.setIndent(label.indent());
  twin.setMargin(label.margin());
  const QMargins m = label.contentsMargins();
  twin.setContentsMargins(m.left(), m.top() + kRoom, m.right(), m.bottom() + kRoom);
  twin.resize(label.width(), label.height() + 2 * kRoom);
  const QImage image = twin.grab().toImage();
  return InkInRows(image, 0, kRoom) + InkInRows(image, kRoom + label.height(), image.height());
}

bool HasMarkedLetter(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 0x7f && c.isLetter()) return true;
  }
  return false;
}

class CaptionInk : public ::testing::TestWithParam<const char*> {};

TEST_P(CaptionInk, NoMarkIsCutOff) {
  hid::sim::SimBus bus;
  testing::TestSettings settings;
  app::TFMain window(bus, settings.path());
  window.LangCombo1Change(i18n::kPolish - 1);
  QFont face = window.font();
  face.setFamily(QString::fromLatin1(GetParam()));
  window.setFont(face);
  window.show();
  QApplication::processEvents();
  int checked = 0;
  for (int page = 0; page < window.PageControl1->count(); ++page) {
    if (!window.PageControl1->isTabVisible(page)) continue;
    window.PageControl1->setCurrentIndex(page);
    for (const QLabel* label : window.PageControl1->widget(page)->findChildren<QLabel*>()) {
      if (!label->isVisible() || !HasMarkedLetter(label->text())) continue;
      ++checked;
      EXPECT_EQ(ClippedInk(*label), 0) << label->objectName().toStdString() << ": " << label->text().toStdString();
    }
  }
  EXPECT_GT(checked, 20);
}

INSTANTIATE_TEST_SUITE_P(Faces, CaptionInk, ::testing::Values("Tahoma", "DejaVu Sans"));

}  // namespace
}  // namespace vestrix::ui
