// SPDX-License-Identifier: GPL-3.0-or-later
// The German default texts, group by group, in the order the table is built from.
// A language file may override any of them; it cannot add keys.
#include "text/text_table.h"

const BuiltInText BuiltInTexts[] = {
    {u"_GROUP_", u"Errors"},
    {u"Title", u"Fehler"},
    {u"UnitFile",
     u"Die Datei {replace} konnte nicht geladen werden. In dieser Datei befinden sich die "
     u"gespeicherten Trainingseinheiten."},
    {u"HistoryFile",
     u"Die Datei {replace} konnte nicht geladen werden. In dieser Datei befinden sich die "
     u"gespeicherten Daten!(Sehr Wichtig)"},
    {u"Image", u"Das Bild {replace} wurde nicht gefunden!"},
    {u"Config1", u"Die Konfigurationsdatei {replace} wurde nicht gefunden!"},
    {u"Config2",
     u"Die Konfigurationsdatei {replace} konnte nicht erstellt werden! Haben Sie die Datei "
     u"vielleicht schon geöffnet?"},
    {u"DeleteButton", u"Es muss eine Trainingseinheit ausgewählt sein!"},
    {u"AddButton", u"Es ist keine Trainigseinheit vorhanden!"},
    {u"SaveUnits",
     u"Die Datei {replace} konnte nicht gespeichert oder erstellt werden, dort befinden sich die "
     u"Trainingseinheiten(nicht unbedingt benötigt)."},
    {u"SaveHistory",
     u"Die Datei {replace} konnte nicht gespeichert oder erstellt werden, dort befindet sich die "
     u"Trainingsgeschichte. SEHR WICHTIG!"},
    // Shown when a unit name or description holds a field or entry separator.
    {u"Separator", u"Name und Beschreibung dürfen die Zeichen | und \\ nicht enthalten!"},
    // Shown when a unit name or description holds a line break or another control character.
    {u"ControlCharacters",
     u"Name und Beschreibung dürfen keine Zeilenumbrüche oder Steuerzeichen enthalten!"},
    // Shown when Ctrl+V finds no text on the clipboard that holds training units.
    {u"Paste",
     u"Die Zwischenablage enthält keine Trainingseinheiten, die eingefügt werden können."},
    // Shown once a run when the daily backup of a data file cannot be made.
    {u"Backup",
     u"Die Sicherung {replace} konnte nicht angelegt werden. Die Daten wurden trotzdem "
     u"gespeichert."},
    // Shown once a run at a save when the Backups value of ini.ini is no plain number.
    {u"BackupSetting",
     u"Die Einstellung \u201E{replace}\u201C in ini.ini nennt keine Zahl von Tagen. Es werden "
     u"die Sicherungen der letzten 14 Tage behalten."},
    // Shown when a second program starts on a folder that one already uses.
    {u"Running", u"Velmora läuft in diesem Ordner bereits. Bitte verwende das offene Fenster."},
    // Shown when an export file (report, CSV, calendar) cannot be written.
    {u"Export", u"Die Datei {replace} konnte nicht geschrieben werden."},
    {u"_GROUP_", u"Global"},
    {u"WinTitle", u"Velmora - "},
    {u"Save", u"Speichern"},
    {u"Saved", u"Gespeichert!"},
    // The notices and errors about changes made to the data files elsewhere (another
    // machine through a sync tool, another program).
    {u"_GROUP_", u"Sync"},
    {u"Title", u"Änderungen von anderswo"},
    {u"Merged",
     u"{replace} wurde seit dem Laden an anderer Stelle geändert (auf einem anderen Rechner oder "
     u"von einem anderen Programm). Diese Änderungen wurden behalten und mit deinen "
     u"zusammengeführt."},
    {u"Copies",
     u"Ein Synchronisierungsprogramm hatte weitere Fassungen deiner Daten aufbewahrt: {replace}. "
     u"Ihre Einträge wurden in deinen Plan übernommen; beim Speichern werden die Kopien nach "
     u"units/backup/merged/ verschoben."},
    {u"ChangedUnreadable",
     u"Die Datei {replace} wurde an anderer Stelle geändert, kann aber nicht gelesen werden (kein "
     u"Text dieses Programms, abgeschnitten oder binär). Sie bleibt, wie sie ist, und wurde nicht "
     u"überschrieben."},
    {u"CopyUnreadable",
     u"Die Konfliktkopie {replace} kann nicht gelesen werden (kein Text dieses Programms, "
     u"abgeschnitten oder binär). Sie bleibt, wo sie ist."},
    {u"CopyNotMoved",
     u"Die Konfliktkopie {replace} wurde übernommen, konnte aber nicht nach units/backup/merged/ "
     u"verschoben werden. Sie bleibt, wo sie ist."},
    {u"_GROUP_", u"Calendar"},
    {u"Unit", u"Einheit"},
    {u"Count", u"Anzahl"},
    {u"More", u"Mehr"},
    {u"Week", u"Woche - "},
    {u"_GROUP_", u"Edit"},
    {u"AddButton", u"Trainingseinheit hinzufügen"},
    {u"Create", u"Neue Erstellen"},
    {u"AddCountTxt", u"Anzahl:"},
    {u"Delete", u"Löschen"},
    {u"ImageToolTipp", u"Du kannst das Bild {replace} im Ordner 'media' ändern!"},
    {u"DividerTxt", u"x"},
    {u"DescrTxt", u"Beschreibung:"},
    {u"NameTxt", u"Name:"},
    {u"_GROUP_", u"Days"},
    {u"Monday", u"Montag"},
    {u"Tuesday", u"Dienstag"},
    {u"Wednesday", u"Mittwoch"},
    {u"Thursday", u"Donnerstag"},
    {u"Friday", u"Freitag"},
    {u"Saturday", u"Samstag"},
    {u"Sunday", u"Sonntag"},
    // The import's dialog, its summary box and why a row was skipped.
    {u"_GROUP_", u"Import"},
    {u"Title", u"Import"},
    {u"Dialog", u"Training importieren"},
    {u"Filter", u"CSV-Dateien"},
    {u"Unreadable",
     u"Die Datei {replace} konnte nicht gelesen werden. Es wurde nichts importiert."},
    {u"Unknown",
     u"Die Datei {replace} ist keine bekannte Trainingsdatei. Es wurde nichts importiert. "
     u"Erwartet wird die Kopfzeile einer dieser Dateien:"},
    {u"Entries", u"Importierte Einträge: {replace}"},
    {u"Days", u"Tage mit neuen Einträgen: {replace}"},
    {u"Present", u"Schon vorhandene Einträge: {replace}"},
    {u"NewUnits", u"Neue Trainingseinheiten: {replace}"},
    {u"Skipped", u"Übersprungene Zeilen: {replace}"},
    {u"FirstSkipped", u"Zuerst übersprungen: Zeile {replace} ({replace2})"},
    {u"ReasonColumns", u"zu wenige Spalten"},
    {u"ReasonEncoding", u"weder UTF-8 noch UTF-16"},
    {u"ReasonNotText", u"kein Text"},
    {u"ReasonTooLong", u"Zeile zu lang"},
    {u"ReasonDate", u"Datum nicht lesbar"},
    {u"ReasonNumber", u"Zahl nicht lesbar"},
    {u"ReasonName", u"Übung ohne Namen"},
    {u"ReasonSeparator", u"Name oder Notiz enthält | oder \\"},
    {u"ReasonControl", u"Name oder Notiz enthält einen Zeilenumbruch oder ein Steuerzeichen"},
    {u"ReasonLater", u"nach der letzten Woche"},
    {u"ReasonNoWeek", u"kein Platz für ihre Woche im Verlauf"},
    {u"_GROUP_", u"Report"},
    {u"Language", u"de"},
    {u"Title", u"Trainingsbericht"},
    {u"Covered", u"Wochen vom {replace} bis {replace2}"},
    {u"Created", u"erstellt am {replace}"},
    {u"Weeks", u"Wochen"},
    {u"TrainingDays", u"Trainingstage"},
    {u"Entries", u"Einträge"},
    {u"Units", u"Einheiten"},
    {u"Volume", u"Gesamtvolumen"},
    {u"VolumeHeading", u"Wöchentliches Volumen der letzten {replace} Wochen"},
    {u"VolumeChart", u"Wöchentliches Volumen je Einheit"},
    {u"VolumeNote",
     u"Volumen = Anzahl × Anzahl, je Einheit und Woche summiert; die acht größten Einheiten in "
     u"Farbe, alle übrigen als „Andere“."},
    {u"Other", u"Andere"},
    {u"UnitsHeading", u"Die größten Einheiten"},
    {u"UnitsNote", u"Wöchentliches Volumen jeder der größten Einheiten im selben Zeitraum."},
    {u"UnitSummary", u"Letzte Woche {replace} · beste Woche {replace2}"},
    {u"TableHeading", u"Die letzten {replace} Wochen"},
    {u"Week", u"Woche"},
    {u"Unnamed", u"(ohne Namen)"},
    {u"NoEntries", u"Keine Einträge in diesem Zeitraum."},
    {u"CsvWeek", u"Woche"},
    {u"CsvMonday", u"Montag der Woche"},
    {u"CsvDate", u"Datum"},
    {u"CsvWeekday", u"Wochentag"},
    {u"CsvUnit", u"Einheit"},
    {u"CsvCount1", u"Anzahl 1"},
    {u"CsvCount2", u"Anzahl 2"},
    {u"CsvDescription", u"Beschreibung"},
    {u"CalendarName", u"Training"},
    {u"_GROUP_", u"Menu"},
    {u"Import", u"Importieren…"},
    {u"Repeat", u"Letzte Woche wiederholen"},
    {u"Report", u"Bericht anzeigen"},
    {u"Csv", u"Als CSV exportieren"},
    {u"Calendar", u"Als Kalender exportieren"},
    // The names a screen reader gives the controls that have no text or label of their own.
    {u"_GROUP_", u"Access"},
    {u"PlanPanel", u"Trainingsplan"},
    {u"EntryList", u"Einträge des Tages"},
    {u"WeekCombo", u"Woche"},
    {u"DayCombo", u"Tag"},
    {u"EditPanel", u"Einträge bearbeiten"},
    {u"UnitCombo", u"Trainingseinheit"},
    {u"SmallPicture", u"Kleines Bild"},
    {u"BigPicture", u"Großes Bild"},
    {u"_END_", u""},
};
