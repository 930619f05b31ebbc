<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AtnWindow</name>
    <message>
        <source>ATN Files</source>
        <translation>ATN-Dateien</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;font-size:large; font-weight:600;&quot;&gt;ATN files&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;font-size:large; font-weight:600;&quot;&gt;ATN-Dateien&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Recorded actions of the image editor, and where their texts live</source>
        <translation>Aufgezeichnete Aktionen des Bildeditors und wo ihre Texte stehen</translation>
    </message>
    <message>
        <source>qrc:/atn/atnfiles.html</source>
        <extracomment>The page the window shows: one for each language</extracomment>
        <translation>qrc:/atn/atnfiles_de.html</translation>
    </message>
</context>
<context>
    <name>BatchTranslation</name>
    <message>
        <source>Select the ATN files to translate</source>
        <translation>ATN-Dateien zum Übersetzen wählen</translation>
    </message>
    <message>
        <source>Choose the folder for the translated files</source>
        <translation>Ordner für die übersetzten Dateien wählen</translation>
    </message>
    <message>
        <source>Translating…</source>
        <translation>Übersetze …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Translate Several Files</source>
        <translation>Mehrere Dateien übersetzen</translation>
    </message>
    <message>
        <source>Translating %1 (%2 of %3)…</source>
        <translation>Übersetze %1 (%2 von %3) …</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>Replace “%1”?</source>
        <translation>„%1“ ersetzen?</translation>
    </message>
    <message>
        <source>A file of that name exists already in %1. Replacing it overwrites its content.</source>
        <translation>In %1 gibt es schon eine Datei dieses Namens. Wird sie ersetzt, ist ihr Inhalt überschrieben.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>Fewargs</source>
        <translation>Zu wenige Parameter: Geben Sie die Eingabedatei, die Ausgabedatei und mindestens ein Paar aus Such- und Ersetzungstext an.
</translation>
    </message>
    <message>
        <source>llestring</source>
        <translation>Nachsichtige Little-Endian-Behandlung ist eingeschaltet: Die Kopfprüfungen von Little-Endian-Zeichenketten entfallen.
</translation>
    </message>
    <message>
        <source>replstring</source>
        <translation>Such- und Ersetzungstexte müssen paarweise stehen: Dem letzten Suchtext fehlt der Ersetzungstext.
</translation>
    </message>
    <message>
        <source>OpenInputFile</source>
        <translation>Öffne Eingabedatei: </translation>
    </message>
    <message>
        <source>ReadInputFile %@</source>
        <translation>%@ Bytes gelesen.
</translation>
    </message>
    <message>
        <source>BeginReplacementOf %@ %@</source>
        <translation>Ersetze „%@“ durch „%@“
</translation>
    </message>
    <message>
        <source>OpenOutputFile</source>
        <translation>Öffne Ausgabedatei: </translation>
    </message>
    <message>
        <source>WriteOutputFile %@</source>
        <translation>Schreibe %@ Bytes.
</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig.
</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>warn message text</extracomment>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Your RUL-file is empty or has no enabled items inside!
Please setup some Rules and enable [x] these!</source>
        <extracomment>shows warn message</extracomment>
        <translation>Ihre RUL-Datei ist leer oder enthält keine eingeschalteten Regeln.
Bitte legen Sie Regeln an und schalten Sie sie ein [x].</translation>
    </message>
    <message>
        <source>NoBackup %@</source>
        <extracomment>Warning shown instead of a translation; %@ is the reason</extracomment>
        <translation>Die Eingabedatei wurde nicht übersetzt, weil keine Sicherungskopie von ihr angelegt werden konnte:
%@</translation>
    </message>
    <message>
        <source>help/help</source>
        <extracomment>load help file</extracomment>
        <translation>help/help_de</translation>
    </message>
    <message>
        <source>NotFound</source>
        <translation>Nicht gefunden.
</translation>
    </message>
    <message>
        <source>RewroteOne</source>
        <translation>1 gespeicherter Text umgeschrieben.
</translation>
    </message>
    <message>
        <source>Rewrote %@</source>
        <translation>%@ gespeicherte Texte umgeschrieben.
</translation>
    </message>
    <message>
        <source>StoppedAt %@</source>
        <translation>Diese Regel endete bei Offset %@: spätere Vorkommen ihres Textes bleiben, wie sie waren.
</translation>
    </message>
    <message>
        <source>LeftAsTheyWere</source>
        <translation>Diese Vorkommen liegen in keinem gespeicherten Text, den die Suche finden kann, und bleiben, wie sie waren.
</translation>
    </message>
    <message>
        <source>SuggestExact</source>
        <translation>Die exakte Übersetzung folgt stattdessen dem Aufbau der Datei und kennt dieses Problem nicht: das Kästchen „Exakte Übersetzung“ im Fenster, --exact auf der Kommandozeile.
</translation>
    </message>
    <message>
        <source>BackupMade %@</source>
        <translation>Sicherungskopie der Eingabedatei angelegt: „%@“
</translation>
    </message>
    <message>
        <source>BackupRemoved %@</source>
        <translation>Die Eingabedatei ist unverändert geblieben, daher wurde ihre Sicherungskopie „%@“ wieder entfernt.
</translation>
    </message>
    <message>
        <source>TranslatedOne %@ %@ %@</source>
        <translation>Übersetzt: 1 gespeicherter Text umgeschrieben durch %@ der %@ Regeln, geschrieben nach „%@“.</translation>
    </message>
    <message>
        <source>Translated %@ %@ %@ %@</source>
        <translation>Übersetzt: %@ gespeicherte Texte umgeschrieben durch %@ der %@ Regeln, geschrieben nach „%@“.</translation>
    </message>
    <message>
        <source>NotTranslated %@</source>
        <translation>Nicht übersetzt: %@ Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>ExactNeedsWellFormed %@</source>
        <translation>Die Eingabe ist keine wohlgeformte Aktionsdatei (%@) und kann daher nicht nach ihrem Aufbau übersetzt werden; übersetzen Sie sie ohne exakte Übersetzung, mit der Byte-Suche.</translation>
    </message>
    <message>
        <source>TextTooLong %@</source>
        <translation>Der bei Offset %@ gespeicherte Text würde länger, als ein gespeicherter Text sein darf.</translation>
    </message>
    <message>
        <source>Unchecked %@</source>
        <translation>Die Eingabe ist keine wohlgeformte Aktionsdatei (%@), daher wird die übersetzte Datei nicht geprüft.
</translation>
    </message>
    <message>
        <source>NoPairsReason</source>
        <translation>Die Regeldatei hat keine aktivierten Regeln.</translation>
    </message>
    <message>
        <source>InvalidPair %@ %@ %@</source>
        <translation>Die Regel „%@“ → „%@“ ist nicht verwendbar: %@</translation>
    </message>
    <message>
        <source>NoBackupReason %@</source>
        <translation>Von der Eingabedatei konnte keine Sicherungskopie angelegt werden: %@.</translation>
    </message>
    <message>
        <source>ResultNotWellFormed %@ %@</source>
        <translation>Fehler: Die übersetzte Datei ist keine wohlgeformte Aktionsdatei mehr (%@), daher wurde „%@“ nicht geschrieben.
</translation>
    </message>
    <message>
        <source>ResultNotWellFormedReason</source>
        <translation>Die übersetzte Datei wäre keine wohlgeformte Aktionsdatei mehr.</translation>
    </message>
    <message>
        <source>NotAFolder %@</source>
        <translation>Der Ausgabeordner „%@“ fehlt oder ist kein Ordner.</translation>
    </message>
    <message>
        <source>SameFileName %@ %@</source>
        <translation>„%@“ und „%@“ haben denselben Dateinamen, ihre Ausgaben wären also dieselbe Datei.</translation>
    </message>
    <message>
        <source>BatchCancelled</source>
        <translation>Abgebrochen: Die übrigen Dateien wurden nicht übersetzt.
</translation>
    </message>
    <message>
        <source>BatchFile %@ %@ %@</source>
        <translation>Datei %@ von %@: %@
</translation>
    </message>
    <message>
        <source>TranslatedFiles %@ %@</source>
        <translation>%@ von %@ Dateien übersetzt.</translation>
    </message>
    <message>
        <source>WouldNotBeWellFormed %@</source>
        <translation>Fehler: Die übersetzte Datei wäre keine wohlgeformte Aktionsdatei mehr (%@), daher würde sie nicht geschrieben.
</translation>
    </message>
    <message>
        <source>Error %@</source>
        <translation>Fehler: %@
</translation>
    </message>
    <message>
        <source>UnknownError</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Input File…</source>
        <translation>Eingabedatei ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Choose the ATN file to translate</source>
        <translation>Die zu übersetzende ATN-Datei wählen</translation>
    </message>
    <message>
        <source>Choose &amp;Rule File…</source>
        <translation>&amp;Regeldatei wählen …</translation>
    </message>
    <message>
        <source>Save Output &amp;As…</source>
        <translation>Ausgabe s&amp;peichern unter …</translation>
    </message>
    <message>
        <source>R&amp;eset Files</source>
        <translation>Dateien &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy Console Output</source>
        <translation>Konsolenausgabe &amp;kopieren</translation>
    </message>
    <message>
        <source>C&amp;lear Console</source>
        <translation>Konsole &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Translate</source>
        <translation>&amp;Übersetzen</translation>
    </message>
    <message>
        <source>&amp;Start Translation</source>
        <translation>Übersetzung &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Edit Rules…</source>
        <translation>Regeln &amp;bearbeiten …</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>atnlingo &amp;Help</source>
        <translation>atnlingo-&amp;Hilfe</translation>
    </message>
    <message>
        <source>About ATN &amp;Files</source>
        <translation>Über &amp;ATN-Dateien</translation>
    </message>
    <message>
        <source>&amp;About atnlingo</source>
        <translation>Ü&amp;ber atnlingo</translation>
    </message>
    <message>
        <source>About atnlingo</source>
        <translation>Über atnlingo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;atnlingo %1&lt;/h3&gt;&lt;p&gt;Translates the texts stored in ATN action files by search and replacement rules, so that actions recorded in one language of the image editor work in another.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;atnlingo %1&lt;/h3&gt;&lt;p&gt;Übersetzt die in ATN-Aktionsdateien gespeicherten Texte anhand von Such- und Ersetzungsregeln, damit Aktionen, die in einer Sprache des Bildeditors aufgezeichnet wurden, auch in einer anderen funktionieren.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Stored Strings of the &amp;Input File…</source>
        <translation>Gespeicherte Texte der &amp;Eingabedatei …</translation>
    </message>
    <message>
        <source>Show the texts stored in the input file and what the rules match</source>
        <translation>Zeigt die in der Eingabedatei gespeicherten Texte und was die Regeln darin treffen</translation>
    </message>
    <message>
        <source>Translate Several &amp;Files…</source>
        <translation>&amp;Mehrere Dateien übersetzen …</translation>
    </message>
    <message>
        <source>Translate several ATN files into one folder with the chosen rule file</source>
        <translation>Mehrere ATN-Dateien mit der gewählten Regeldatei in einen Ordner übersetzen</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Match found at index %@ of output file, but unable to find the ending null.
</source>
        <translation>Fund bei Index %@ der Ausgabedatei, aber die abschließende Null ist nicht zu finden.
</translation>
    </message>
    <message>
        <source>Unable to find the start of the string for a match at offset %@ in output file.
</source>
        <translation>Der Anfang der Zeichenkette zu einem Fund bei Offset %@ der Ausgabedatei ist nicht zu finden.
</translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but little-endian byte count is not the expected value.
</source>
        <translation>Mögliche Little-Endian-Zeichenkette bei Offset %@, aber ihre Little-Endian-Byteanzahl hat nicht den erwarteten Wert.
</translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but big-endian byte count is not the expected value.
</source>
        <translation>Mögliche Little-Endian-Zeichenkette bei Offset %@, aber ihre Big-Endian-Byteanzahl hat nicht den erwarteten Wert.
</translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but signature &quot;txtu&quot; not found.
</source>
        <translation>Mögliche Little-Endian-Zeichenkette bei Offset %@, aber die Signatur „txtu“ fehlt.
</translation>
    </message>
    <message>
        <source>Cannot read &quot;%@&quot;: %@</source>
        <translation>„%@“ kann nicht gelesen werden: %@</translation>
    </message>
    <message>
        <source>Cannot write &quot;%@&quot;: %@</source>
        <translation>„%@“ kann nicht geschrieben werden: %@</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>no file name given</source>
        <translation>kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>the file changed while it was being read</source>
        <translation>die Datei hat sich beim Lesen geändert</translation>
    </message>
    <message>
        <source>it holds more than %@, the most atnlingo reads</source>
        <translation>sie enthält mehr als %@, das Höchste, was atnlingo liest</translation>
    </message>
    <message>
        <source>%@ GiB</source>
        <translation>%@ GiB</translation>
    </message>
    <message>
        <source>%@ MiB</source>
        <translation>%@ MiB</translation>
    </message>
    <message>
        <source>%@ bytes</source>
        <translation>%@ Bytes</translation>
    </message>
    <message>
        <source>cannot read &quot;%@&quot;: %@</source>
        <translation>„%@“ kann nicht gelesen werden: %@</translation>
    </message>
    <message>
        <source>cannot back up &quot;%@&quot;: %@</source>
        <translation>von „%@“ kann keine Sicherungskopie angelegt werden: %@</translation>
    </message>
    <message>
        <source>cannot create backup &quot;%@&quot;: %@</source>
        <translation>die Sicherungskopie „%@“ kann nicht angelegt werden: %@</translation>
    </message>
    <message>
        <source>cannot write backup &quot;%@&quot;: %@</source>
        <translation>die Sicherungskopie „%@“ kann nicht geschrieben werden: %@</translation>
    </message>
    <message>
        <source>no free backup name beside &quot;%@&quot;</source>
        <translation>kein freier Name für eine Sicherungskopie neben „%@“</translation>
    </message>
    <message>
        <source>it is a device</source>
        <translation>es ist ein Gerät</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>es ist ein Socket</translation>
    </message>
    <message>
        <source>it is a pipe with no writer</source>
        <translation>es ist eine Pipe, in die niemand schreibt</translation>
    </message>
</context>
<context>
    <name>RuleDocument</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig:</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen:</translation>
    </message>
    <message>
        <source>Enable Rule</source>
        <translation>Regel einschalten</translation>
    </message>
    <message>
        <source>Disable Rule</source>
        <translation>Regel ausschalten</translation>
    </message>
    <message>
        <source>Edit Search Text</source>
        <translation>Suchtext bearbeiten</translation>
    </message>
    <message>
        <source>Edit Replacement Text</source>
        <translation>Ersetzungstext bearbeiten</translation>
    </message>
</context>
<context>
    <name>RuleEditorViewController</name>
    <message>
        <source>Shows whether the rules were loaded from or saved to a file</source>
        <translation>Zeigt, ob die Regeln aus einer Datei geladen oder in eine Datei gespeichert wurden</translation>
    </message>
    <message>
        <source>&amp;Rule file:</source>
        <translation>&amp;Regeldatei:</translation>
    </message>
    <message>
        <source>The rule file last loaded or saved. Save proposes this name; OK hands the file to the main window.</source>
        <translation>Die zuletzt geladene oder gespeicherte Regeldatei. Speichern schlägt diesen Namen vor; OK übergibt die Datei an das Hauptfenster.</translation>
    </message>
    <message>
        <source>No rule file loaded or saved yet</source>
        <translation>Noch keine Regeldatei geladen oder gespeichert</translation>
    </message>
    <message>
        <source>Replace the table by the rules of a RUL file</source>
        <translation>Die Tabelle durch die Regeln einer RUL-Datei ersetzen</translation>
    </message>
    <message>
        <source>Load…</source>
        <translation>Laden …</translation>
    </message>
    <message>
        <source>Write the table to a RUL file</source>
        <translation>Die Tabelle in eine RUL-Datei schreiben</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Speichern …</translation>
    </message>
    <message>
        <source>Add an empty rule at the end of the table</source>
        <translation>Eine leere Regel am Ende der Tabelle anfügen</translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation>Regel hinzufügen</translation>
    </message>
    <message>
        <source>Delete the selected rule</source>
        <translation>Die ausgewählte Regel löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move the selected rule up, so that it applies earlier</source>
        <translation>Die ausgewählte Regel nach oben schieben, damit sie früher angewendet wird</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move the selected rule down, so that it applies later</source>
        <translation>Die ausgewählte Regel nach unten schieben, damit sie später angewendet wird</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Tick every rule</source>
        <translation>Alle Regeln ankreuzen</translation>
    </message>
    <message>
        <source>Enable All</source>
        <translation>Alle einschalten</translation>
    </message>
    <message>
        <source>Untick every rule</source>
        <translation>Bei allen Regeln das Kreuz entfernen</translation>
    </message>
    <message>
        <source>Disable All</source>
        <translation>Alle ausschalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Use the rule file last loaded or saved in the main window, and close the editor</source>
        <translation>Die zuletzt geladene oder gespeicherte Regeldatei im Hauptfenster verwenden und den Editor schließen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Load a RUL file</source>
        <translation>RUL-Datei laden</translation>
    </message>
    <message>
        <source>Save RUL file</source>
        <translation>RUL-Datei speichern</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Row %1: %2 is not valid UTF-8, so the file will not load at all.</source>
        <translation>Zeile %1: %2 ist kein gültiges UTF-8, daher lässt sich die Datei gar nicht laden.</translation>
    </message>
    <message>
        <source>Row %1: %2 is neither on nor off.</source>
        <translation>Zeile %1: %2 ist weder an noch aus.</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more.</source>
        <translation>
            <numerusform>… und %n weitere.</numerusform>
            <numerusform>… und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>Some rules will not load back as they are</source>
        <translation>Einige Regeln lassen sich nicht unverändert wieder laden</translation>
    </message>
    <message>
        <source>the search text</source>
        <translation>Der Suchtext</translation>
    </message>
    <message>
        <source>the replacement text</source>
        <translation>Der Ersetzungstext</translation>
    </message>
    <message>
        <source>the check mark</source>
        <translation>Das Häkchen</translation>
    </message>
    <message>
        <source>Row %1: %2 is empty, so the rule will be skipped.</source>
        <translation>Zeile %1: %2 ist leer, daher wird die Regel übersprungen.</translation>
    </message>
    <message>
        <source>Row %1: %2 holds a line break, which splits the rule in two.</source>
        <translation>Zeile %1: %2 enthält einen Zeilenumbruch, der die Regel in zwei teilt.</translation>
    </message>
    <message>
        <source>Row %1: %2 holds “;”, which splits it in two.</source>
        <translation>Zeile %1: %2 enthält „;“, das ihn in zwei Teile trennt.</translation>
    </message>
    <message>
        <source>Row %1: %2 begins or ends with a mark that joins the “;” next to it.</source>
        <translation>Zeile %1: %2 beginnt oder endet mit einem Zeichen, das sich mit dem „;“ daneben verbindet.</translation>
    </message>
    <message>
        <source>The file was saved, but these rules will not load back from it as they are:

%1

Change them and save again, or they will differ the next time the file is loaded.</source>
        <translation>Die Datei wurde gespeichert, aber diese Regeln lassen sich nicht unverändert aus ihr laden:

%1

Ändern Sie sie und speichern Sie erneut, sonst weichen sie beim nächsten Laden der Datei ab.</translation>
    </message>
    <message>
        <source>Swap the search and replacement texts of the selected rule, or of every rule when none is selected, so that the rules translate the other way</source>
        <translation>Such- und Ersetzungstext der ausgewählten Regel tauschen, oder aller Regeln, wenn keine ausgewählt ist, damit die Regeln in die andere Richtung übersetzen</translation>
    </message>
    <message>
        <source>Swap Texts</source>
        <translation>Texte tauschen</translation>
    </message>
    <message>
        <source>Rules apply from the top down. Double-click or type to edit; Space ticks a rule; Ctrl+Z undoes a change.</source>
        <translation>Regeln gelten von oben nach unten. Doppelklicken oder tippen zum Bearbeiten; die Leertaste kreuzt eine Regel an; Strg+Z macht eine Änderung rückgängig.</translation>
    </message>
    <message>
        <source>Do you want to save the changes to “%1”?</source>
        <translation>Möchten Sie die Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>The rules could not be saved</source>
        <translation>Die Regeln konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>“%1” could not be written. The table is as it was; save it to another file or folder.</source>
        <translation>„%1“ konnte nicht geschrieben werden. Die Tabelle ist unverändert; speichern Sie sie in eine andere Datei oder einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>Ihre Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
    <message>
        <source>Delete Rule</source>
        <translation>Regel löschen</translation>
    </message>
    <message>
        <source>Move Rule Up</source>
        <translation>Regel nach oben</translation>
    </message>
    <message>
        <source>Move Rule Down</source>
        <translation>Regel nach unten</translation>
    </message>
    <message>
        <source>Enable All Rules</source>
        <translation>Alle Regeln einschalten</translation>
    </message>
    <message>
        <source>Disable All Rules</source>
        <translation>Alle Regeln ausschalten</translation>
    </message>
    <message>
        <source>Swap Search and Replace</source>
        <translation>Suchen und Ersetzen tauschen</translation>
    </message>
    <message>
        <source>Add Stored Texts as Rules</source>
        <translation>Gespeicherte Texte als Regeln hinzufügen</translation>
    </message>
    <message>
        <source>The new rules go to the main window&apos;s rule file “%1”, which then replaces the rules in the table.</source>
        <translation>Die neuen Regeln kommen in die Regeldatei des Hauptfensters, „%1“, die dann die Regeln der Tabelle ersetzt.</translation>
    </message>
    <message>
        <source>Loading a file replaces the rules in the table.</source>
        <translation>Das Laden einer Datei ersetzt die Regeln der Tabelle.</translation>
    </message>
    <message>
        <source>Close the editor and take back the changes made since it was opened or last saved</source>
        <translation>Den Editor schließen und die Änderungen zurücknehmen, die seit dem Öffnen oder dem letzten Speichern gemacht wurden</translation>
    </message>
    <message>
        <source>A translation reads the rules from the file: unsaved changes take no part in it, and they are lost if you don&apos;t save them.</source>
        <translation>Eine Übersetzung liest die Regeln aus der Datei: Nicht gespeicherte Änderungen gehen nicht in sie ein und gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
</context>
<context>
    <name>RuleTableModel</name>
    <message>
        <source>Use</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Only rules that are ticked take part in a translation</source>
        <translation>Nur angekreuzte Regeln wirken bei einer Übersetzung mit</translation>
    </message>
    <message>
        <source>The text to find in the action file</source>
        <translation>Der Text, der in der Aktionsdatei gesucht wird</translation>
    </message>
    <message>
        <source>The text that takes its place</source>
        <translation>Der Text, der an seine Stelle tritt</translation>
    </message>
</context>
<context>
    <name>RuleTextDelegate</name>
    <message>
        <source>A rule cannot hold “;” or a line break: the rule file has no way to store them.</source>
        <translation>Eine Regel kann kein „;“ und keinen Zeilenumbruch enthalten: Die Regeldatei kann sie nicht speichern.</translation>
    </message>
</context>
<context>
    <name>SecondaryWindows</name>
    <message>
        <source>The help page could not be opened</source>
        <translation>Die Hilfeseite konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The help page %1 is missing.</source>
        <translation>Die Hilfeseite %1 fehlt.</translation>
    </message>
    <message>
        <source>No web browser could be started. The help page is the file %1.</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Die Hilfeseite ist die Datei %1.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>StoredStringModel</name>
    <message>
        <source>set name</source>
        <translation>Name des Sets</translation>
    </message>
    <message>
        <source>action name</source>
        <translation>Name der Aktion</translation>
    </message>
    <message>
        <source>class name</source>
        <translation>Klassenname</translation>
    </message>
    <message>
        <source>text value</source>
        <translation>Textwert</translation>
    </message>
    <message>
        <source>file path</source>
        <translation>Dateipfad</translation>
    </message>
    <message>
        <source>alias path</source>
        <translation>Alias-Pfad</translation>
    </message>
    <message>
        <source>layer name</source>
        <translation>Ebenenname</translation>
    </message>
    <message>
        <source>channel name</source>
        <translation>Kanalname</translation>
    </message>
    <message>
        <source>document name</source>
        <translation>Dokumentname</translation>
    </message>
    <message>
        <source>action reference</source>
        <translation>Verweis auf Aktion</translation>
    </message>
    <message>
        <source>set reference</source>
        <translation>Verweis auf Set</translation>
    </message>
    <message>
        <source>name of &apos;%1&apos;</source>
        <translation>Name von &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Big-endian: a name or a text value</source>
        <translation>Big-Endian: ein Name oder ein Textwert</translation>
    </message>
    <message>
        <source>Little-endian: the text of a file path</source>
        <translation>Little-Endian: der Text eines Dateipfads</translation>
    </message>
    <message>
        <source>Role</source>
        <translation>Rolle</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>After translation</source>
        <translation>Nach der Übersetzung</translation>
    </message>
</context>
<context>
    <name>StringsViewController</name>
    <message>
        <source>Stored Strings</source>
        <translation>Gespeicherte Texte</translation>
    </message>
    <message>
        <source>Input file:</source>
        <translation>Eingabedatei:</translation>
    </message>
    <message>
        <source>Whether the file can be read from its first byte to its last, as the image editor reads it</source>
        <translation>Ob sich die Datei vom ersten bis zum letzten Byte lesen lässt, so wie der Bildeditor sie liest</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Show only the strings whose text or role contains this, in small or capital letters</source>
        <translation>Nur die Texte zeigen, deren Text oder Rolle dies enthält, ob groß oder klein geschrieben</translation>
    </message>
    <message>
        <source>Text or role</source>
        <translation>Text oder Rolle</translation>
    </message>
    <message>
        <source>Read the input file and the rule file again</source>
        <translation>Eingabedatei und Regeldatei neu lesen</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Open the rule editor with a new rule for each selected text, switched off until you enter its replacement</source>
        <translation>Öffnet den Regeleditor mit einer neuen Regel für jeden ausgewählten Text, ausgeschaltet, bis Sie ihre Ersetzung eingeben</translation>
    </message>
    <message>
        <source>&amp;Add Rule</source>
        <translation>Regel &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Stored Strings of %1</source>
        <translation>Gespeicherte Texte von %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Choose an input ATN file in the main window to see the texts stored in it.</source>
        <translation>Wählen Sie im Hauptfenster eine ATN-Eingabedatei, um die darin gespeicherten Texte zu sehen.</translation>
    </message>
    <message>
        <source>A well-formed action file. Actions: %1, steps: %2, stored texts: %3.</source>
        <translation>Eine wohlgeformte Aktionsdatei. Aktionen: %1, Schritte: %2, gespeicherte Texte: %3.</translation>
    </message>
    <message>
        <source>Not a well-formed action file: %1. The image editor may refuse it, and a translation of it is not checked. Stored texts found before that point: %2.</source>
        <translation>Keine wohlgeformte Aktionsdatei: %1. Der Bildeditor lehnt sie womöglich ab, und eine Übersetzung davon wird nicht geprüft. Bis zu dieser Stelle gefundene Texte: %2.</translation>
    </message>
    <message>
        <source>%1 has no enabled rules, or cannot be read.</source>
        <translation>%1 enthält keine eingeschalteten Regeln oder kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Texts left out, as a rule cannot hold &quot;;&quot; or a line break: %1</source>
        <translation>Ausgelassene Texte, da eine Regel kein „;“ und keinen Zeilenumbruch aufnehmen kann: %1</translation>
    </message>
    <message>
        <source>The texts stored in the input file, and what the enabled rules would make of them. Texts they change are bold.</source>
        <translation>Die in der Eingabedatei gespeicherten Texte und was die eingeschalteten Regeln aus ihnen machen würden. Texte, die sie ändern, sind fett.</translation>
    </message>
    <message>
        <source>Choose a rule file in the main window to see what its rules would make of these texts.</source>
        <translation>Wählen Sie im Hauptfenster eine Regeldatei, um zu sehen, was ihre Regeln aus diesen Texten machen würden.</translation>
    </message>
    <message>
        <source>No translation is previewed, as the file is not a well-formed action file.</source>
        <translation>Keine Vorschau der Übersetzung, da die Datei keine wohlgeformte Aktionsdatei ist.</translation>
    </message>
    <message>
        <source>No translation is previewed: the translated file would no longer be a well-formed action file (%1), so it would not be written.</source>
        <translation>Keine Vorschau der Übersetzung: Die übersetzte Datei wäre keine wohlgeformte Aktionsdatei mehr (%1), daher würde sie nicht geschrieben.</translation>
    </message>
    <message>
        <source>No translation is previewed: a text would become longer than a stored text may be.</source>
        <translation>Keine Vorschau der Übersetzung: Ein Text würde länger, als ein gespeicherter Text sein darf.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; → &quot;%2&quot;</source>
        <translation>„%1“ → „%2“</translation>
    </message>
    <message>
        <source>%1 of %2 texts change by the enabled rules of %3 (shown in bold).</source>
        <translation>%1 von %2 Texten ändern sich durch die eingeschalteten Regeln von %3 (fett gezeigt).</translation>
    </message>
    <message>
        <source>Every rule matches.</source>
        <translation>Jede Regel trifft.</translation>
    </message>
    <message>
        <source>Rules that match nothing: %1.</source>
        <translation>Regeln, die nichts treffen: %1.</translation>
    </message>
</context>
<context>
    <name>SystemDesktop</name>
    <message>
        <source>%1 files (*.%2)</source>
        <translation>%1-Dateien (*.%2)</translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Shows whether an input file has been chosen</source>
        <translation>Zeigt, ob eine Eingabedatei gewählt ist</translation>
    </message>
    <message>
        <source>&amp;Input ATN file:</source>
        <translation>&amp;Eingabe-ATN-Datei:</translation>
    </message>
    <message>
        <source>The action file to translate. Type a path ending in .atn, choose one, or drop an ATN file here.</source>
        <translation>Die zu übersetzende Aktionsdatei. Geben Sie einen Pfad ein, der auf .atn endet, wählen Sie eine Datei oder ziehen Sie eine ATN-Datei hierher.</translation>
    </message>
    <message>
        <source>Choose or drop an ATN file</source>
        <translation>ATN-Datei wählen oder hierher ziehen</translation>
    </message>
    <message>
        <source>Choose the ATN file to translate</source>
        <translation>Die zu übersetzende ATN-Datei wählen</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen …</translation>
    </message>
    <message>
        <source>Shows whether a rule file has been chosen</source>
        <translation>Zeigt, ob eine Regeldatei gewählt ist</translation>
    </message>
    <message>
        <source>&amp;Rule file:</source>
        <translation>&amp;Regeldatei:</translation>
    </message>
    <message>
        <source>The RUL file whose enabled rules are applied. Type a path ending in .rul, choose one, or drop a RUL file here.</source>
        <translation>Die RUL-Datei, deren eingeschaltete Regeln angewendet werden. Geben Sie einen Pfad ein, der auf .rul endet, wählen Sie eine Datei oder ziehen Sie eine RUL-Datei hierher.</translation>
    </message>
    <message>
        <source>Choose or drop a RUL file</source>
        <translation>RUL-Datei wählen oder hierher ziehen</translation>
    </message>
    <message>
        <source>Choose the RUL file with the search and replacement rules</source>
        <translation>Die RUL-Datei mit den Such- und Ersetzungsregeln wählen</translation>
    </message>
    <message>
        <source>Open the rule editor</source>
        <translation>Den Regeleditor öffnen</translation>
    </message>
    <message>
        <source>Edit Rules…</source>
        <translation>Regeln bearbeiten …</translation>
    </message>
    <message>
        <source>Shows whether an output file has been chosen</source>
        <translation>Zeigt, ob eine Ausgabedatei gewählt ist</translation>
    </message>
    <message>
        <source>&amp;Output ATN file:</source>
        <translation>&amp;Ausgabe-ATN-Datei:</translation>
    </message>
    <message>
        <source>Where the translated copy is written. It may be the input file itself: a backup of the input is kept first.</source>
        <translation>Wohin die übersetzte Kopie geschrieben wird. Das darf die Eingabedatei selbst sein: Dann wird zuerst eine Sicherungskopie der Eingabe angelegt.</translation>
    </message>
    <message>
        <source>Choose where to save the translated file</source>
        <translation>Speicherort der übersetzten Datei wählen</translation>
    </message>
    <message>
        <source>Choose the file the translation is saved to</source>
        <translation>Die Datei wählen, in der die Übersetzung gespeichert wird</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>Also rewrite little-endian strings whose header does not pass the usual checks</source>
        <translation>Auch Little-Endian-Zeichenketten umschreiben, deren Kopf die üblichen Prüfungen nicht besteht</translation>
    </message>
    <message>
        <source>&amp;Lenient little-endian handling</source>
        <translation>&amp;Nachsichtige Little-Endian-Behandlung</translation>
    </message>
    <message>
        <source>Forget all three files</source>
        <translation>Alle drei Dateien vergessen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Translate the input file with the enabled rules and write the output file</source>
        <translation>Die Eingabedatei mit den eingeschalteten Regeln übersetzen und die Ausgabedatei schreiben</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Konsole</translation>
    </message>
    <message>
        <source>Empty the console</source>
        <translation>Die Konsole leeren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Copy the whole console text to the clipboard</source>
        <translation>Den ganzen Konsolentext in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>What the last translation did, step by step</source>
        <translation>Was die letzte Übersetzung getan hat, Schritt für Schritt</translation>
    </message>
    <message>
        <source>Open the help page in the web browser</source>
        <translation>Die Hilfeseite im Webbrowser öffnen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Quit atnlingo</source>
        <translation>atnlingo beenden</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Select a ATN file</source>
        <translation>ATN-Datei auswählen</translation>
    </message>
    <message>
        <source>Select a RUL file</source>
        <translation>RUL-Datei auswählen</translation>
    </message>
    <message>
        <source>Save to ATN file</source>
        <translation>In ATN-Datei speichern</translation>
    </message>
    <message>
        <source>Show the texts stored in the input file, and which of them the rules match</source>
        <translation>Zeigt die in der Eingabedatei gespeicherten Texte und welche davon die Regeln treffen</translation>
    </message>
    <message>
        <source>Strings…</source>
        <translation>Texte …</translation>
    </message>
    <message>
        <source>Rewrite only the texts the file&apos;s structure holds, each as a whole, instead of scanning every byte</source>
        <translation>Nur die Texte umschreiben, die der Aufbau der Datei enthält, jeden als Ganzes, statt jedes Byte zu durchsuchen</translation>
    </message>
    <message>
        <source>E&amp;xact translation (by the file&apos;s structure)</source>
        <translation>E&amp;xakte Übersetzung (nach dem Aufbau der Datei)</translation>
    </message>
    <message>
        <source>Name the ATN file to translate.</source>
        <translation>Nennen Sie die zu übersetzende ATN-Datei.</translation>
    </message>
    <message>
        <source>Name the rule file.</source>
        <translation>Nennen Sie die Regeldatei.</translation>
    </message>
    <message>
        <source>Name the file to write the translation to.</source>
        <translation>Nennen Sie die Datei, in die die Übersetzung geschrieben wird.</translation>
    </message>
    <message>
        <source>The input file&apos;s name must end in .atn.</source>
        <translation>Der Name der Eingabedatei muss auf .atn enden.</translation>
    </message>
    <message>
        <source>The rule file&apos;s name must end in .rul.</source>
        <translation>Der Name der Regeldatei muss auf .rul enden.</translation>
    </message>
    <message>
        <source>The output file&apos;s name must end in .atn.</source>
        <translation>Der Name der Ausgabedatei muss auf .atn enden.</translation>
    </message>
    <message>
        <source>The output file %1 exists already. The translation would replace its content.</source>
        <translation>Die Ausgabedatei %1 gibt es schon. Die Übersetzung würde ihren Inhalt ersetzen.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Translates the texts stored in ATN action files by search and replacement rules.</source>
        <translation>Übersetzt die in ATN-Aktionsdateien gespeicherten Texte anhand von Such- und Ersetzungsregeln.</translation>
    </message>
    <message>
        <source>Files to open: an .atn file as the input file, a .rul file as the rule file.</source>
        <translation>Zu öffnende Dateien: eine .atn-Datei als Eingabedatei, eine .rul-Datei als Regeldatei.</translation>
    </message>
</context>
</TS>
