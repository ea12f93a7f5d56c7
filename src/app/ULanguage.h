#pragma once
// The language table: the built-in English texts and the *.lng files that
// replace any subset of them.
//
// A language file is text; each line that begins with "STR" reads
//   STR<n> = text /#/ comment
// A text that should begin or end with a blank is written between pilcrows
// ("¶ / ¶"); a further pilcrow ends the text. Other lines are ignored.

#include <QString>

constexpr int LanguageTableEntries = 2900;
// The longest text a language file may give an entry, in characters; a line
// with a longer text is ignored like one with an empty text.
constexpr int MaxLanguageEntryLength = 1024;

// Clears Language_Table and fills it with the 2900 built-in texts in index
// order (a single blank for the unused entries); Language_Table_Size := 2900.
void FillEnglishTable();

// Overlays the entries a language file names; the others keep their text. A
// file that cannot be read (also one that is no regular file or is larger
// than the language-file limit of ReadLimit) leaves the table as it is.
void LoadLanguageFile(const QString& path);

// Overlays the entries named by language-file text already in memory.
void ApplyLanguageText(const QString& text);

// The built-in English, then <Language_Dir>/<Language_Name>.lng; when that
// file is missing, Language_Name := "English" and English.lng is read when
// present. File names are matched ignoring letter case.
void SetupLanguage();
