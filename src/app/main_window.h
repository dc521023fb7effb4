#pragma once

#include "app/qt_gui_thread.h"
#include "i18n/translation_table.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QTabWidget;

namespace vestrix::app {

class StatusPanels;

// The one main window of the program.
class TFMain : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 633;
  static constexpr int kClientHeight = 622;
  static inline const QString kVersionSuffix = QStringLiteral(" - 1.10");

  explicit TFMain(QWidget* parent = nullptr);
  ~TFMain() override;

  // Status message text of an identifier in the active language.
  QString LookupMessage(const QString& identifier) const;
  int activeLanguage() const { return activeLanguage_; }

  // Runs once the window is closed, after the settings are saved (tests).
  std::function<void()> formCloseObserver;

  // Program fields.
  std::uint8_t DeviceConnected = 0;
  std::array<std::uint8_t, 32> CommandBuffer{};
  std::uint8_t PlayStop = 0;
  QString ConfigFilePath;

  void BitBtn1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrame();
  void buildProgramSettingsPage();
  void FormCreate();
  void FormClose();

  QtGuiThread gui_;
  const i18n::TranslationTable& translationTable_;
  int activeLanguage_ = i18n::kEnglish;

 public:
  // Controls, named as in the window definition.
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QWidget* TabSheet3 = nullptr;
  QWidget* TabSheet4 = nullptr;
  QWidget* TabSheet5 = nullptr;
  StatusPanels* StatusBar = nullptr;
  QLabel* Label46 = nullptr;
  QComboBox* LangCombo1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLabel* Label21 = nullptr;
  QComboBox* DataTime = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QGroupBox* GroupBox12 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLabel* Label17 = nullptr;
};

// The program's one main window while it exists.
extern TFMain* FMain;

}  // namespace vestrix::app
