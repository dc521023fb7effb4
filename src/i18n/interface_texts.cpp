#include "i18n/interface_texts.h"

#include "i18n/comma_text.h"
#include "i18n/list_texts.h"
#include "i18n/message_texts.h"
#include "i18n/text_rows.h"
#include "i18n/translation_table.h"

namespace vestrix::i18n {

namespace {

using Row = TextRow;

// Control captions; the first row is the window's own. Label13 and Label7 name relay 2.
constexpr Row kCaptions[] = {
    {"TFMain", "VESTRIX PC", "VESTRIX PC"},
    {"TabSheet1", "Pomiary", "Display"},
    {"Label8", "Czas pomiaru", "Date of measurement"},
    {"Label9", "Godzina pomiaru", "Time of measurement"},
    {"Label10", "Wartosc minimalna (MIN)", "Minimum value (MIN)"},
    {"Label11", "Wartosc maksymalna (MAX)", "Maximum value (MAX)"},
    {"Label12", "Przekaźnik 1", "Relay 1"},
    {"Label13", "Przekaźnik 2", "Relay 2"},
    {"Label14", "Wejscie tensometryczne", "Tensometric input"},
    {"Label15", "Wejscie licznikowe", "Counter input"},
    {"Label16", "Wejscie analogowe", "Analog input"},
    {"BitBtn4", "Reset (MIN, MAX)", "Reset (MIN, MAX)"},
    {"TabSheet2", "Wykres", "Charts"},
    {"TabSheet3", "Rejestracja pomiarów", "Data acquisition"},
    {"Label1", "Data", "Date"},
    {"Label2", "Czas", "Time"},
    {"Label3", "Wejscie tensometryczne", "Tensometric input"},
    {"Label4", "Wejscie enkoderowe", "Counter input"},
    {"Label5", "Wejscie analogowe", "Analog input"},
    {"Label6", "Przekaźnik 1", "Relay 1"},
    {"Label7", "Przekaźnik 2", "Relay 2"},
    {"FileLabel", "FileLabel", "FileLabel"},
    {"TabSheet4", "Konfiguracja urzadzenia", "Device configuration"},
    {"GroupBox5", "Ustawienia wejscia tensometrycznego", "Tensometric input settings"},
    {"Label22", "Czułosc mostka [mV/V]", "Rated output [mV/V]"},
    {"Label23", "Zakres mostka [N]", "Rated capacity [N]"},
    {"Label24", "Offset", "Offset"},
    {"Label25", "Mnożnik", "Coeff"},
    {"Label26", "Połozenie przecinka", "Decimal point"},
    {"Label27", "Jednostki", "Unit"},
    {"Label28", "Poziom filtracji", "Filtration level"},
    {"BitBtn3", "Tarowanie", "Taring"},
    {"GroupBox6", "Ustawienia ogólne", "Gloabal settings"},
    {"Label29", "Adres Modbus", "MODBUS address"},
    {"Label30", "Prędkosc Modbus", "MODBUS baudrate"},
    {"Label50", "Zapis na kartę SD", "Recording on SD card"},
    {"GroupBox7", "Ustawienia wejscia analogowego (0..10V)", "Analog input settings"},
    {"Label31", "Offset", "Offset"},
    {"Label32", "Mnożnik", "Coeff"},
    {"Label35", "Połozenie przecinka", "Decimal point"},
    {"BitBtn5", "Kalibracja wejscia", "Input calibration"},
    {"GroupBox8", "Ustawienia wejscia licznika", "Counter input settings"},
    {"Label33", "Offset", "Offset"},
    {"Label34", "Mnoznik", "Coeff"},
    {"Label36", "Połozenie przecinka", "Decimal point"},
    {"GroupBox9", "Wyzwalanie pomiarów", "Trigger measurement"},
    {"Label37", "Poziom rozpoczęcia", "Start level"},
    {"Label38", "Poziom zakończenia", "Stop level"},
    {"Label41", "Źródło wyzwalania ", "Trigger source"},
    {"Label42", "Auto reset enkodera", "Counter auto-reset"},
    {"Label43", "Czas próbkowania", "Sampling time"},
    {"GroupBox10", "Ustawienia wyjsc przekaźnikowych", "Relay settings"},
    {"Label39", "Próg załączenia PK1", "PK1 ON level"},
    {"Label40", "Próg wyłączenia PK1 ", "PK1 OFF level"},
    {"Label44", "Próg załączenia PK2", "PK2 ON level"},
    {"Label45", "Próg wyłączenia PK2", "PK2 OFF level"},
    {"Label48", "Sterowanie PK1", "PK1 control source"},
    {"Label49", "Sterowanie PK2", "PK2 control source"},
    {"TabSheet5", "Ustawienia programu", "Program settings"},
    {"Label17", "Uwaga!:  Wszystkie zmiany zostaną zastosowane po ponownym uruchomieniu programu.",
     "NOTE: All changes will take effect after restarting the program."},
    {"GroupBox2", "Połączenie", "Connection"},
    {"CheckBox1", "Połącz z urządzeniem przy starcie programu", "Connect the device at startup"},
    {"CheckBox2", "Automatycznie wznawiaj polączenie", "Auto  reconnects"},
    {"GroupBox12", "Aktywne urządzenia USB (HID)", "Active USB HID device"},
    {"GroupBox1", "Archiwizacja pomiarów", "Measurement recording"},
    {"Label18", "Zapisz do pliku co", "Period of record"},
    {"Label19", "Ścieżka do pliku z pomiarami", "Save file path"},
    {"AutoSave", "Automatycznie rozpocznij zapis przy starcie programu", "Automatically start recording at startup"},
    {"GroupBox4", "Aktualizacja pomiarów", "Measurement update"},
    {"Label21", "Aktulaizuj dane z urządzenia co", "Period of data update from the device"},
    {"Label46", "Language:", "Language:"},
    {"Label47", "- save to device", ""},
    {"Label51", "- read from device", ""},
    {"Label52", "Help:", ""},
    // The Charts page and the box that shows it.
    {"ShowChartsBox", "Pokazuj stronę wykresu", "Show the Charts page"},
    {"ChartSpanLabel", "Zakres:", "Span:"},
    {"ChartAutoScale", "Automatyczna skala", "Automatic scale"},
    {"ChartSaveImage", "Zapisz obraz", "Save image"},
    {"ChartOpenFile", "Otwórz plik", "Open file"},
    {"ChartFitAll", "Całość", "Fit all"},
    {"ChartTens", "Tensometr", "Tensometric"},
    {"ChartCounter", "Licznik", "Counter"},
    {"ChartAnalog", "Wejście 0-10V", "Analog"},
    {"ChartMin", "MIN", "MIN"},
    {"ChartMax", "MAX", "MAX"},
    {"ChartOut1", "Przekaźnik 1", "Relay 1"},
    {"ChartOut2", "Przekaźnik 2", "Relay 2"},
    // Its test capture.
    {"CaptureArmed", "Wykrywaj testy", "Capture tests"},
    {"CaptureDirectionLabel", "Kierunek", "Direction"},
    {"CaptureStartLabel", "Poziom startu", "Start level"},
    {"CaptureEndLabel", "Poziom końca", "End level"},
    {"CaptureBreakLabel", "Zerwanie [%]", "Break [%]"},
    {"CaptureLongestLabel", "Maks. czas [s]", "Longest [s]"},
    {"CaptureBeforeLabel", "Przed [s]", "Before [s]"},
    {"CaptureAfterLabel", "Po [s]", "After [s]"},
    {"CaptureLowerLabel", "Dolna granica", "Lower limit"},
    {"CaptureUpperLabel", "Górna granica", "Upper limit"},
    {"CaptureClear", "Wyczyść", "Clear"},
    {"CaptureExport", "Eksport", "Export"},
};

// Font names.
constexpr Row kFonts[] = {
    {"TFMain", "Tahoma", "Tahoma"},    {"ULabel", "Tahoma", "Tahoma"},      {"MaxLabel", "Tahoma", "Tahoma"},
    {"MinLabel", "Tahoma", "Tahoma"},  {"DateLabel", "Tahoma", "Tahoma"},   {"TimeLabel", "Tahoma", "Tahoma"},
    {"Pk1Label", "Tahoma", "Tahoma"},  {"Pk2Label", "Tahoma", "Tahoma"},    {"EncLabel", "Tahoma", "Tahoma"},
    {"TensLabel", "Tahoma", "Tahoma"}, {"StatusBar", "Segoe UI", "Tahoma"},
};

// Captions of the standard message dialogs (the program shows none).
constexpr Row kDialogCaptions[] = {
    {"Warning", "Warning", ""},
    {"Error", "Error", ""},
    {"Information", "Information", ""},
    {"Confirm", "Confirm", ""},
    {"Yes", "&Yes", ""},
    {"No", "&No", ""},
    {"OK", "OK", ""},
    {"Cancel", "Cancel", ""},
    {"Abort", "&Abort", ""},
    {"Retry", "&Retry", ""},
    {"Ignore", "&Ignore", ""},
    {"All", "&All", ""},
    {"No To All", "N&o to All", ""},
    {"Yes To All", "Yes to &All", ""},
    {"Help", "&Help", ""},
};

// Other text properties: the display fields' no-value text; the lists'
// texts follow from their entries.
constexpr Row kDisplayTexts[] = {
    {"ULabel.Text", "-------------", ""},    {"MaxLabel.Text", "-------------", ""},
    {"MinLabel.Text", "-------------", ""},  {"DateLabel.Text", "-------------", ""},
    {"TimeLabel.Text", "-------------", ""}, {"Pk1Label.Text", "-------------", ""},
    {"Pk2Label.Text", "-------------", ""},  {"EncLabel.Text", "-------------", ""},
    {"TensLabel.Text", "-------------", ""},
};
constexpr Row kOtherTexts[] = {
    {"HidDeviceController1.Version", "1.0.35", ""},
    {"FileSaveDialog.Filter", "Plik (*.csv)|*.csv", ""},
};

// Items of the language selector.
constexpr Row kCollections[] = {
    {"LangCombo1.LanguageInfos[0].FontName", "Tahoma", ""},
    {"LangCombo1.LanguageInfos[0].LanguageName", "Polski", ""},
    {"LangCombo1.LanguageInfos[1].FontName", "Tahoma", ""},
    {"LangCombo1.LanguageInfos[1].LanguageName", "English", ""},
};

// Character sets of the fonts.
constexpr Row kCharSets[] = {
    {"TFMain", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},    {"ULabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"MaxLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},  {"MinLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"DateLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"}, {"TimeLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"Pk1Label", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},  {"Pk2Label", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"EncLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},  {"TensLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"StatusBar", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
};

// A list's entries, or its first entry, as a row: the Polish field always,
// the English one only where English differs (an empty field changes
// nothing).
void AddListRow(TranslationTable& table, const QString& section, const QString& name, const QString& polish,
                const QString& english) {
  table.addRow(section, name, {polish, english == polish ? QString() : english});
}

void AddListEntries(TranslationTable& table) {
  for (const TranslatedList& list : TranslatedLists()) {
    AddListRow(table, kMultiLinesSection, QString::fromLatin1(list.control) + QStringLiteral(".Items"),
               ToCommaText(ListEntries(list, kPolish)), ToCommaText(ListEntries(list, kEnglish)));
  }
}

void AddListTexts(TranslationTable& table) {
  for (const TranslatedList& list : TranslatedLists()) {
    if (!list.textRow) continue;
    AddListRow(table, kOtherStringsSection, QString::fromLatin1(list.control) + QStringLiteral(".Text"),
               ListEntries(list, kPolish).value(0), ListEntries(list, kEnglish).value(0));
  }
}

}  // namespace

void AddBuiltinTexts(TranslationTable& table) {
  AddSection(table, kCaptionsSection, kCaptions);
  AddSection(table, kHintsSection);
  AddSection(table, kDisplayLabelsSection);
  AddSection(table, kFontsSection, kFonts);
  AddSection(table, kMultiLinesSection);
  AddListEntries(table);
  AddSection(table, kDialogCaptionsSection, kDialogCaptions);
  AddSection(table, kMessageSection);
  AddMessageTexts(table);
  AddSection(table, kOtherStringsSection, kDisplayTexts);
  AddListTexts(table);
  AddSection(table, kOtherStringsSection, kOtherTexts);
  AddSection(table, kLocalesSection);
  AddSection(table, kCollectionsSection, kCollections);
  AddSection(table, kCharSetsSection, kCharSets);
}

}  // namespace vestrix::i18n
