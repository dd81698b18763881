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
    {u"_GROUP_", u"Global"},
    {u"WinTitle", u"Velmora - "},
    {u"Save", u"Speichern"},
    {u"Saved", u"Gespeichert!"},
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
    {u"_END_", u""},
};
