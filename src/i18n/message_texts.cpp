#include "i18n/message_texts.h"

#include "i18n/text_rows.h"
#include "i18n/translation_table.h"

namespace vestrix::i18n {

namespace {

// IDS_1 and IDS_2 go to the narrow connection panel (50 pixels): keep them short.
constexpr TextRow kMessages[] = {
    {"IDS_1", "Online", "Online"},
    {"IDS_2", "Offline", "Offline"},
    {"IDS_4", "Dodano urządzenie USB HID do listy", "USB HID device added to the list"},
    {"IDS_14", "Wartości MIN i MAX zostały wyzerowane", "MIN and MAX values have been reset"},
    {"IDS_15", "Tarowanie zostało wykonane", "Taring has been done"},
    {"IDS_16", "Kalibracja wejścia została wykonana", "Input calibration has been done"},
    {"IDS_17", "Odczytano adres MODBUS", "MODBUS address read"},
    {"IDS_18", "Odczytano położenie przecinka wejścia tensometrycznego", "Decimal point of the tensometric input read"},
    {"IDS_19", "Odczytano jednostkę wejścia tensometrycznego", "Unit of the tensometric input read"},
    {"IDS_20", "Odczytano poziom filtracji", "Filtration level read"},
    {"IDS_21", "Odczytano źródło wyzwalania", "Trigger source read"},
    {"IDS_22", "Odczytano automatyczne zerowanie licznika", "Counter auto-reset read"},
    {"IDS_23", "Odczytano czas próbkowania", "Sampling time read"},
    {"IDS_24", "Odczytano prędkość MODBUS", "MODBUS baud rate read"},
    {"IDS_25", "Odczytano ustawienie zapisu na kartę SD", "SD card recording setting read"},
    {"IDS_26", "Odczytano położenie przecinka wejścia licznikowego", "Decimal point of the counter input read"},
    {"IDS_27", "Odczytano położenie przecinka wejścia analogowego", "Decimal point of the analog input read"},
    {"IDS_28", "Odczytano źródło sterowania przekaźnika PK1", "Control source of relay PK1 read"},
    {"IDS_29", "Odczytano źródło sterowania przekaźnika PK2", "Control source of relay PK2 read"},
    {"IDS_30", "Odczytano czułość mostka", "Rated output of the bridge read"},
    {"IDS_31", "Odczytano zakres mostka", "Rated capacity of the bridge read"},
    {"IDS_32", "Odczytano offset wejścia tensometrycznego", "Offset of the tensometric input read"},
    {"IDS_33", "Odczytano mnożnik wejścia tensometrycznego", "Coefficient of the tensometric input read"},
    {"IDS_34", "Odczytano poziom startu wyzwalania", "Trigger start level read"},
    {"IDS_35", "Odczytano poziom stopu wyzwalania", "Trigger stop level read"},
    {"IDS_36", "Odczytano offset wejścia licznikowego", "Offset of the counter input read"},
    {"IDS_37", "Odczytano mnożnik wejścia licznikowego", "Coefficient of the counter input read"},
    {"IDS_38", "Odczytano offset wejścia analogowego", "Offset of the analog input read"},
    {"IDS_39", "Odczytano mnożnik wejścia analogowego", "Coefficient of the analog input read"},
    {"IDS_40", "Odczytano poziom załączenia PK1", "PK1 ON level read"},
    {"IDS_41", "Odczytano poziom wyłączenia PK1", "PK1 OFF level read"},
    {"IDS_42", "Odczytano poziom załączenia PK2", "PK2 ON level read"},
    {"IDS_43", "Odczytano poziom wyłączenia PK2", "PK2 OFF level read"},
    // Beyond the identifiers above: why records are not stored, and when they are again.
    {"IDS_REC_FAILED", "Błąd zapisu do %1: %2", "Cannot write %1: %2"},
    {"IDS_REC_RESUMED", "Zapis do %1 wznowiony", "Recording to %1 again"},
    {"IDS_REC_NOT_FILE", "Błąd zapisu do %1: to nie jest zwykły plik", "Cannot write %1: not a regular file"},
    {"IDS_REC_RECREATED", "Plik %1 usunięto lub przeniesiono: zapis trwa w nowym pliku",
     "%1 was deleted or moved away: recording goes on in a new file"},
    // The save dialog does not ask to replace: records go to the end of a file.
    {"IDS_REC_APPENDS", "Plik %1 istnieje: pomiary zostaną dopisane na jego końcu",
     "%1 exists: records will be appended to it"},
    // The Charts page: a record file read for review, a picture saved. The
    // texts of a page (TXT_...) are not shown in the status bar.
    {"TXT_CHART_READING", "Odczyt pliku %1...", "Reading %1..."},
    {"TXT_CHART_CANCEL", "Anuluj", "Cancel"},
    // What stands for the unit of the strain-gauge input when it is not known.
    {"TXT_UNIT_UNKNOWN", "jednostka nieznana", "unit unknown"},
    // %2 to %4 are counts in words (TXT_N_...).
    {"IDS_CHART_READ", "%1: %2 w %3, pominięto %4", "%1: %2 in %3 read, %4 skipped"},
    {"TXT_N_RECORDS", "%n pomiar|%n pomiary|%n pomiarów", "%n record|%n records"},
    {"TXT_N_RUNS", "%n serii|%n seriach|%n seriach", "%n run|%n runs"},
    {"TXT_N_LINES", "%n wiersz|%n wiersze|%n wierszy", "%n line|%n lines"},
    {"IDS_CHART_NOT_RECORDS", "%1 to nie jest plik pomiarów tego programu", "%1 is not a record file of this program"},
    {"IDS_CHART_CANCELLED", "Odczyt pliku %1 przerwany", "Reading %1 cancelled"},
    {"IDS_CHART_NOT_READ", "Błąd odczytu %1: %2", "Cannot read %1: %2"},
    {"IDS_CHART_NOT_FILE", "Błąd: %1 to nie jest zwykły plik", "Cannot use %1: not a regular file"},
    {"IDS_CHART_SAVED", "Obraz zapisany do %1", "Picture saved to %1"},
    {"IDS_CHART_COPIED", "Obraz skopiowany do schowka", "Picture copied to the clipboard"},
    {"TXT_PICTURE_LIVE", "Pomiar na żywo", "Live measurement"},
    {"IDS_CHART_NOT_SAVED", "Błąd zapisu do %1: %2", "Picture not saved to %1: %2"},
    // The test capture of the Charts page: the results table's headings and
    // the words of a test's end, each split at ";", the batch line, the export.
    {"TXT_CAPTURE_COLUMNS", "Nr;Start;Czas [s];Szczyt;Ocena;Minimum;Średnia;Odch. std.;Próbek;Koniec",
     "No.;Start;Duration [s];Peak;Verdict;Lowest;Mean;Std. dev.;Samples;End"},
    {"TXT_CAPTURE_ENDS", "poziom końca;zerwanie;limit czasu;przerwany", "end level;break;longest;interrupted"},
    // The batch line: the counts, the interrupted ones when there are any,
    // the peaks' figures when there is a completed test.
    {"TXT_CAPTURE_BATCH", "Testów: %1, zaliczonych: %2, niezaliczonych: %3", "Tests: %1, passed: %2, failed: %3"},
    {"TXT_CAPTURE_INTERRUPTED", ", przerwanych: %1", ", interrupted: %1"},
    {"TXT_CAPTURE_PEAKS", "; szczyt: średnio %1, odch. std. %2, od %3 do %4",
     "; peak: mean %1, std. dev. %2, from %3 to %4"},
    // Kept together where the line wraps.
    {"TXT_CAPTURE_CAPABILITY", "; Cp\u00a0%1, Cpk\u00a0%2 (n\u00a0=\u00a0%3)",
     "; Cp\u00a0%1, Cpk\u00a0%2 (n\u00a0=\u00a0%3)"},
    // What each capture rule takes (the boxes' tooltips), split at ";".
    {"TXT_CAPTURE_RULES",
     "Test zaczyna się, gdy wartość wzrośnie do tego poziomu;"
     "Test kończy się, gdy wartość spadnie poniżej tego poziomu (nie wyżej niż poziom startu);"
     "Test kończy się spadkiem o tyle procent od szczytu: od 0 do 100 (0: wyłączone);"
     "Najdłuższy czas testu: od 0 do 86400 s (0: bez limitu);"
     "Zachowane przed testem: od 0 do 3600 s;"
     "Zachowane po teście: od 0 do 3600 s;"
     "Najmniejszy szczyt z oceną pozytywną (puste: brak; nie wyżej niż górna granica);"
     "Największy szczyt z oceną pozytywną (puste: brak)",
     "A test starts when the value rises through this level;"
     "A test ends when the value falls below this level (not above the start level);"
     "A test ends on a drop of this share below its peak: 0 to 100 (0: off);"
     "The longest a test lasts: 0 to 86400 s (0: no limit);"
     "Kept before a test: 0 to 3600 s;"
     "Kept after a test: 0 to 3600 s;"
     "The lowest peak that passes (empty: none; not above the upper limit);"
     "The highest peak that passes (empty: none)"},
    {"IDS_CAPTURE_EXPORTED", "Wyniki zapisane do %1", "Results saved to %1"},
    {"IDS_CAPTURE_NOT_EXPORTED", "Błąd zapisu do %1: %2", "Results not saved to %1: %2"},
    // The file dialogs' titles, and the question before a file is replaced.
    {"TXT_DIALOG_RECORD_FILE", "Plik zapisu pomiarów", "Record file"},
    {"TXT_DIALOG_OPEN_RECORDS", "Otwórz plik pomiarów", "Open a record file"},
    {"TXT_DIALOG_SAVE_IMAGE", "Zapisz wykres jako obraz", "Save the plot as a picture"},
    {"TXT_DIALOG_EXPORT", "Eksportuj wyniki testów", "Export the test results"},
    {"TXT_REPLACE_FILE", "Plik %1 już istnieje. Zastąpić go?", "%1 already exists. Replace it?"},
    // Why a found instrument could not be used.
    {"IDS_ACCESS", "Brak dostępu do %1 - reguła udev: %2", "No read/write access to %1 - udev rule: %2"},
    {"IDS_ACCESS_WINDOWS", "Brak dostępu do %1 - odłącz i podłącz przyrząd",
     "No access to %1 - unplug and plug it in again"},
    {"IDS_IN_USE", "%1 jest używany przez %2", "%1 is in use by %2"},
    {"TXT_ANOTHER_PROGRAM", "inny program", "another program"},
};

}  // namespace

void AddMessageTexts(TranslationTable& table) { AddSection(table, kMessageSection, kMessages); }

}  // namespace vestrix::i18n
