#include "i18n/interface_texts.h"

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
    {"Label17", "Uwaga!:  Wszystkie zmiany zostaną zastosowane po ponownym uruchomieniu programu.", "NOTE: All changes will take effect after restarting the program."},
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
};

// Font names.
constexpr Row kFonts[] = {
    {"TFMain", "Tahoma", "Tahoma"},
    {"ULabel", "Tahoma", "Tahoma"},
    {"MaxLabel", "Tahoma", "Tahoma"},
    {"MinLabel", "Tahoma", "Tahoma"},
    {"DateLabel", "Tahoma", "Tahoma"},
    {"TimeLabel", "Tahoma", "Tahoma"},
    {"Pk1Label", "Tahoma", "Tahoma"},
    {"Pk2Label", "Tahoma", "Tahoma"},
    {"EncLabel", "Tahoma", "Tahoma"},
    {"TensLabel", "Tahoma", "Tahoma"},
    {"StatusBar", "Segoe UI", "Tahoma"},
};

// List entries in comma-separated form: an entry with a blank or a comma is quoted.
constexpr Row kMultiLines[] = {
    {"BoxTensPoint.Items", "0,1,2,3,4", ""},
    {"BoxAdcPoint.Items", "0,1,2,3,4", ""},
    {"BoxEncPoint.Items", "0,1,2,3,4", ""},
    {"BoxTensUnit.Items", "g,Kg,N,KN,Funt", "g,Kg,N,KN,Pound"},
    {"BoxTensFilter.Items", "\"Brak filtracji\",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39", "\"No filtering\",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39"},
    {"BoxModbusBr.Items", "9600,19200,38400,57600,115200", ""},
    {"BoxModbusAdr.Items", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,57,58,59,60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75,76,77,78,79,80,81,82,83,84,85,86,87,88,89,90,91,92,93,94,95,96,97,98,99,100,101,102,103,104,105,106,107,108,109,110,111,112,113,114,115,116,117,118,119,120,121,122,123,124,125,126,127,128,129,130,131,132,133,134,135,136,137,138,139,140,141,142,143,144,145,146,147,148,149,150,151,152,153,154,155,156,157,158,159,160,161,162,163,164,165,166,167,168,169,170,171,172,173,174,175,176,177,178,179,180,181,182,183,184,185,186,187,188,189,190,191,192,193,194,195,196,197,198,199,200,201,202,203,204,205,206,207,208,209,210,211,212,213,214,215,216,217,218,219,220,221,222,223,224,225,226,227,228,229,230,231,232,233,234,235,236,237,238,239,240,241,242,243,244,245,246,247", ""},
    {"BoxMemory.Items", "Niekatywny,Aktywny", "Inactive,Active"},
    {"BoxEncReset.Items", "Niekatywny,Aktywny", "Inactive,Active"},
    {"BoxTrigerSource.Items", "Ciągły,\"Impuls + (IN 1)\",\"Poziom + (IN 1)\",Tensometr,Enkoder,\"Wejście 0-10V\"", "Continuous,\"Pulse (IN 1)\",\"Level (IN 1)\",\"Tensometric input\",\"Counter  input\",\"Analog  input\""},
    {"BoxSampleTime.Items", "\"10 [ms]\",\"50 [ms]\",\"100 [ms]\",\"200 [ms]\",\"500 [ms]\",\"1 [s]\",\"2 [s]\",\"5 [s]\",\"10 [s]\",\"30 [s]\",\"1[ min]\",\"5 [min]\",\"15[ min]\",\"30 [min]\",\"60 [min]\"", ""},
    {"BoxPk1.Items", "Tensometr,Enkoder,\"IN 0-10V\"", "Tensometric,Counter,Analog"},
    {"BoxPk2.Items", "Tensometr,Enkoder,\"IN 0-10V\"", "Tensometric,Counter,Analog"},
    {"DataTime.Items", "\"20 [ms]\",\"50 [ms]\",\"100 [ms]\",\"200 [ms]\",\"500 [ms]\",\"1 [s]\",\"2 [s]\",\"5 [s]\",\"10 [s]\",\"30 [s]\",\"1[ min]\",\"5 [min]\",\"15[ min]\",\"30 [min]\",\"60 [min]\"", ""},
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

// Other text properties.
constexpr Row kOtherStrings[] = {
    {"ULabel.Text", "-------------", ""},
    {"MaxLabel.Text", "-------------", ""},
    {"MinLabel.Text", "-------------", ""},
    {"DateLabel.Text", "-------------", ""},
    {"TimeLabel.Text", "-------------", ""},
    {"Pk1Label.Text", "-------------", ""},
    {"Pk2Label.Text", "-------------", ""},
    {"EncLabel.Text", "-------------", ""},
    {"TensLabel.Text", "-------------", ""},
    {"BoxTensPoint.Text", "0", ""},
    {"BoxAdcPoint.Text", "0", ""},
    {"BoxEncPoint.Text", "0", ""},
    {"BoxTensUnit.Text", "g", ""},
    {"BoxTensFilter.Text", "Brak filtracji", "No filtering"},
    {"BoxModbusBr.Text", "9600", ""},
    {"BoxModbusAdr.Text", "1", ""},
    {"BoxMemory.Text", "Niekatywny", "Inactive"},
    {"BoxEncReset.Text", "Niekatywny", "Inactive"},
    {"BoxTrigerSource.Text", "Ciągły", "Continuous"},
    {"BoxSampleTime.Text", "10 [ms]", ""},
    {"BoxPk1.Text", "Tensometr", "Tensometric"},
    {"BoxPk2.Text", "Tensometr", "Tensometric"},
    {"DataTime.Text", "20 [ms]", ""},
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
    {"TFMain", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"ULabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"MaxLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"MinLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"DateLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"TimeLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"Pk1Label", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"Pk2Label", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"EncLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"TensLabel", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
    {"StatusBar", "DEFAULT_CHARSET", "DEFAULT_CHARSET"},
};

}  // namespace

void AddBuiltinTexts(TranslationTable& table) {
  AddSection(table, kCaptionsSection, kCaptions);
  AddSection(table, kHintsSection);
  AddSection(table, kDisplayLabelsSection);
  AddSection(table, kFontsSection, kFonts);
  AddSection(table, kMultiLinesSection, kMultiLines);
  AddSection(table, kDialogCaptionsSection, kDialogCaptions);
  AddSection(table, kMessageSection);
  AddMessageTexts(table);
  AddSection(table, kOtherStringsSection, kOtherStrings);
  AddSection(table, kLocalesSection);
  AddSection(table, kCollectionsSection, kCollections);
  AddSection(table, kCharSetsSection, kCharSets);
}

}  // namespace vestrix::i18n
