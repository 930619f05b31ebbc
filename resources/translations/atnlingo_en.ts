<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AtnWindow</name>
    <message>
        <source>ATN Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;span style=&quot;font-size:large; font-weight:600;&quot;&gt;ATN files&lt;/span&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded actions of the image editor, and where their texts live</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qrc:/atn/atnfiles.html</source>
        <extracomment>The page the window shows: one for each language</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchTranslation</name>
    <message>
        <source>Select the ATN files to translate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder for the translated files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translating…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translate Several Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translating %1 (%2 of %3)…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>Replace “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file of that name exists already in %1. Replacing it overwrites its content.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>Fewargs</source>
        <translation>Too few parameters: give the input file, the output file and at least one search/replacement pair.
</translation>
    </message>
    <message>
        <source>llestring</source>
        <translation>Lenient little-endian handling is on: the header checks of little-endian strings are skipped.
</translation>
    </message>
    <message>
        <source>replstring</source>
        <translation>Search and replacement texts must come in pairs: the last search text has no replacement.
</translation>
    </message>
    <message>
        <source>OpenInputFile</source>
        <translation>Opening input file: </translation>
    </message>
    <message>
        <source>ReadInputFile %@</source>
        <translation>Read %@ bytes.
</translation>
    </message>
    <message>
        <source>BeginReplacementOf %@ %@</source>
        <translation>Replacing &quot;%@&quot; with &quot;%@&quot;
</translation>
    </message>
    <message>
        <source>OpenOutputFile</source>
        <translation>Opening output file: </translation>
    </message>
    <message>
        <source>WriteOutputFile %@</source>
        <translation>Writing %@ bytes.
</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done.
</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>warn message text</extracomment>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Your RUL-file is empty or has no enabled items inside!
Please setup some Rules and enable [x] these!</source>
        <extracomment>shows warn message</extracomment>
        <translation>Your RUL file is empty or has no enabled rules.
Please set up some rules and enable [x] them.</translation>
    </message>
    <message>
        <source>NoBackup %@</source>
        <extracomment>Warning shown instead of a translation; %@ is the reason</extracomment>
        <translation>The input file was not translated, because no backup of it could be made:
%@</translation>
    </message>
    <message>
        <source>help/help</source>
        <extracomment>load help file</extracomment>
        <translation>help/help</translation>
    </message>
    <message>
        <source>NotFound</source>
        <translation>Not found.
</translation>
    </message>
    <message>
        <source>RewroteOne</source>
        <translation>1 stored text rewritten.
</translation>
    </message>
    <message>
        <source>Rewrote %@</source>
        <translation>%@ stored texts rewritten.
</translation>
    </message>
    <message>
        <source>StoppedAt %@</source>
        <translation>This rule stopped at offset %@: later occurrences of its text are left as they were.
</translation>
    </message>
    <message>
        <source>LeftAsTheyWere</source>
        <translation>Those occurrences do not lie in a stored text the scan can locate, so they are left as they were.
</translation>
    </message>
    <message>
        <source>SuggestExact</source>
        <translation>Exact translation follows the file&apos;s structure instead and has no such problem: the check box &quot;Exact translation&quot; in the window, --exact on the command line.
</translation>
    </message>
    <message>
        <source>BackupMade %@</source>
        <translation>Made a backup of the input file: &quot;%@&quot;
</translation>
    </message>
    <message>
        <source>BackupRemoved %@</source>
        <translation>The input file was left as it was, so its backup &quot;%@&quot; was removed again.
</translation>
    </message>
    <message>
        <source>TranslatedOne %@ %@ %@</source>
        <translation>Translated: 1 stored text rewritten by %@ of %@ rules, written to &quot;%@&quot;.</translation>
    </message>
    <message>
        <source>Translated %@ %@ %@ %@</source>
        <translation>Translated: %@ stored texts rewritten by %@ of %@ rules, written to &quot;%@&quot;.</translation>
    </message>
    <message>
        <source>NotTranslated %@</source>
        <translation>Not translated: %@ Nothing was written.</translation>
    </message>
    <message>
        <source>ExactNeedsWellFormed %@</source>
        <translation>The input is not a well-formed action file (%@), so it cannot be translated by its structure; translate it without exact translation, by the byte scan.</translation>
    </message>
    <message>
        <source>TextTooLong %@</source>
        <translation>The text stored at offset %@ would become longer than a stored text may be.</translation>
    </message>
    <message>
        <source>Unchecked %@</source>
        <translation>The input is not a well-formed action file (%@), so the translated file is not checked.
</translation>
    </message>
    <message>
        <source>NoPairsReason</source>
        <translation>The rule file has no enabled rules.</translation>
    </message>
    <message>
        <source>InvalidPair %@ %@ %@</source>
        <translation>The rule &quot;%@&quot; → &quot;%@&quot; cannot be used: %@</translation>
    </message>
    <message>
        <source>NoBackupReason %@</source>
        <translation>No backup of the input file could be made: %@.</translation>
    </message>
    <message>
        <source>ResultNotWellFormed %@ %@</source>
        <translation>Error: The translated file is no longer a well-formed action file (%@), so &quot;%@&quot; was not written.
</translation>
    </message>
    <message>
        <source>ResultNotWellFormedReason</source>
        <translation>The translated file would no longer be a well-formed action file.</translation>
    </message>
    <message>
        <source>NotAFolder %@</source>
        <translation>The output folder &quot;%@&quot; is missing or not a folder.</translation>
    </message>
    <message>
        <source>SameFileName %@ %@</source>
        <translation>&quot;%@&quot; and &quot;%@&quot; have the same file name, so their outputs would be the same file.</translation>
    </message>
    <message>
        <source>BatchCancelled</source>
        <translation>Cancelled: the remaining files were not translated.
</translation>
    </message>
    <message>
        <source>BatchFile %@ %@ %@</source>
        <translation>File %@ of %@: %@
</translation>
    </message>
    <message>
        <source>TranslatedFiles %@ %@</source>
        <translation>Translated %@ of %@ files.</translation>
    </message>
    <message>
        <source>WouldNotBeWellFormed %@</source>
        <translation>Error: The translated file would no longer be a well-formed action file (%@), so it would not be written.
</translation>
    </message>
    <message>
        <source>Error %@</source>
        <translation>Error: %@
</translation>
    </message>
    <message>
        <source>UnknownError</source>
        <translation>Unknown Error</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Input File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the ATN file to translate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose &amp;Rule File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Output &amp;As…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;eset Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy Console Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear Console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Translate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start Translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Rules…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>atnlingo &amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About ATN &amp;Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About atnlingo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About atnlingo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;atnlingo %1&lt;/h3&gt;&lt;p&gt;Translates the texts stored in ATN action files by search and replacement rules, so that actions recorded in one language of the image editor work in another.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored Strings of the &amp;Input File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the texts stored in the input file and what the rules match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translate Several &amp;Files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translate several ATN files into one folder with the chosen rule file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Match found at index %@ of output file, but unable to find the ending null.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to find the start of the string for a match at offset %@ in output file.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but little-endian byte count is not the expected value.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but big-endian byte count is not the expected value.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Possible little-endian string found at offset %@, but signature &quot;txtu&quot; not found.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file name given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file changed while it was being read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds more than %@, the most atnlingo reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%@ GiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%@ MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%@ bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot back up &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create backup &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write backup &quot;%@&quot;: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no free backup name beside &quot;%@&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a pipe with no writer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RuleDocument</name>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Search Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Replacement Text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RuleEditorViewController</name>
    <message>
        <source>Shows whether the rules were loaded from or saved to a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rule file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rule file last loaded or saved. Save proposes this name; OK hands the file to the main window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No rule file loaded or saved yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the table by the rules of a RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the table to a RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an empty rule at the end of the table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected rule up, so that it applies earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected rule down, so that it applies later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick every rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untick every rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the rule file last loaded or saved in the main window, and close the editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load a RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 is not valid UTF-8, so the file will not load at all.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 is neither on nor off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>… and %n more.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Some rules will not load back as they are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the search text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the replacement text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the check mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 is empty, so the rule will be skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 holds a line break, which splits the rule in two.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 holds “;”, which splits it in two.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1: %2 begins or ends with a mark that joins the “;” next to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file was saved, but these rules will not load back from it as they are:

%1

Change them and save again, or they will differ the next time the file is loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap the search and replacement texts of the selected rule, or of every rule when none is selected, so that the rules translate the other way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap Texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules apply from the top down. Double-click or type to edit; Space ticks a rule; Ctrl+Z undoes a change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the changes to “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rules could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” could not be written. The table is as it was; save it to another file or folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Rule Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Rule Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable All Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable All Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap Search and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Stored Texts as Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new rules go to the main window&apos;s rule file “%1”, which then replaces the rules in the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading a file replaces the rules in the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the editor and take back the changes made since it was opened or last saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A translation reads the rules from the file: unsaved changes take no part in it, and they are lost if you don&apos;t save them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RuleTableModel</name>
    <message>
        <source>Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only rules that are ticked take part in a translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text to find in the action file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text that takes its place</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RuleTextDelegate</name>
    <message>
        <source>A rule cannot hold “;” or a line break: the rule file has no way to store them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SecondaryWindows</name>
    <message>
        <source>The help page could not be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help page %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web browser could be started. The help page is the file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoredStringModel</name>
    <message>
        <source>set name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>action name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>class name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alias path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>layer name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>document name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>action reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name of &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Big-endian: a name or a text value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Little-endian: the text of a file path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After translation</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StringsViewController</name>
    <message>
        <source>Stored Strings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whether the file can be read from its first byte to its last, as the image editor reads it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show only the strings whose text or role contains this, in small or capital letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text or role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the input file and the rule file again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the rule editor with a new rule for each selected text, switched off until you enter its replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored Strings of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an input ATN file in the main window to see the texts stored in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A well-formed action file. Actions: %1, steps: %2, stored texts: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a well-formed action file: %1. The image editor may refuse it, and a translation of it is not checked. Stored texts found before that point: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no enabled rules, or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Texts left out, as a rule cannot hold &quot;;&quot; or a line break: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The texts stored in the input file, and what the enabled rules would make of them. Texts they change are bold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a rule file in the main window to see what its rules would make of these texts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No translation is previewed, as the file is not a well-formed action file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No translation is previewed: the translated file would no longer be a well-formed action file (%1), so it would not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No translation is previewed: a text would become longer than a stored text may be.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; → &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 texts change by the enabled rules of %3 (shown in bold).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every rule matches.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules that match nothing: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemDesktop</name>
    <message>
        <source>%1 files (*.%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Shows whether an input file has been chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Input ATN file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action file to translate. Type a path ending in .atn, choose one, or drop an ATN file here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose or drop an ATN file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the ATN file to translate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows whether a rule file has been chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rule file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The RUL file whose enabled rules are applied. Type a path ending in .rul, choose one, or drop a RUL file here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose or drop a RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the RUL file with the search and replacement rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the rule editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Rules…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows whether an output file has been chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Output ATN file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the translated copy is written. It may be the input file itself: a backup of the input is kept first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose where to save the translated file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the file the translation is saved to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also rewrite little-endian strings whose header does not pass the usual checks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lenient little-endian handling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget all three files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translate the input file with the enabled rules and write the output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty the console</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the whole console text to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the last translation did, step by step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the help page in the web browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit atnlingo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a ATN file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a RUL file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to ATN file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the texts stored in the input file, and which of them the rules match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewrite only the texts the file&apos;s structure holds, each as a whole, instead of scanning every byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xact translation (by the file&apos;s structure)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the ATN file to translate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the rule file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the file to write the translation to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input file&apos;s name must end in .atn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rule file&apos;s name must end in .rul.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file&apos;s name must end in .atn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file %1 exists already. The translation would replace its content.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Translates the texts stored in ATN action files by search and replacement rules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files to open: an .atn file as the input file, a .rul file as the rule file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
