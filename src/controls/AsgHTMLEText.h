#pragma once
// Marked-up texts as strings: stripping the mini-markup, entities,
// searching and highlighting, and reading and rewriting CONTROL tags.
//
// Positions count from 1, 0 for not found. Upper-casing in these routines
// folds the letters a to z only (accented letters keep their case): one
// ASCII rule, so that tags and attribute names match the same way
// everywhere and accented user text is never altered.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TCanvas;
class TFont;

// ---------------------------------------------------------------------------
// Small routines

// Letters a to z upper-cased, everything else as it is.
QString UpCaseAscii(const QString& s);
QChar UpCaseAscii(QChar c);

// Position of pattern in text, both upper-cased (a to z).
int PosNoCase(const QString& pattern, const QString& text);
// Position of an upper-case pattern in the upper-cased text, also stored in pos.
int PosUpper(const QString& pattern, const QString& text, int& pos);
// Position of pattern in text, also stored in pos.
int PosOut(const QString& pattern, const QString& text, int& pos);
// Replaces the first occurrence found by PosNoCase; true when one was replaced.
bool ReplaceFirstNoCase(const QString& pattern, const QString& replacement, QString& text);
// Replaces every occurrence of an upper-case pattern, matched in the
// upper-cased text, in one pass; true when any was replaced.
bool ReplaceAllNoCase(const QString& upperPattern, const QString& replacement, QString& text);
// The value of the text's leading digits (after blanks and a sign); 0 when
// none. Saturates at the int range instead of overflowing.
int LeadingInt(const QString& text);
// The first two characters as hexadecimal digits; 0 when shorter than 2.
int HexPairValue(const QString& text);
// One "*" per character.
QString PasswordMask(const QString& text);
// Every "<#" loses its "<" and the first ">" after it.
QString UnwrapHashTags(const QString& text);
// Removes CR and LF; with convert each CR becomes "<BR>".
QString LineBreaksToBR(const QString& text, bool convert);
// Text flags for right-to-left reading (mode 1: right aligned as well).
unsigned BiDiTextFlags(unsigned flags, int mode);

// Rotated fonts of the R tag: a stack, so that every closing tag returns to
// the font before its opening one and an unmatched closing tag is ignored.
class TRotatedFontStack {
public:
    TRotatedFontStack();
    ~TRotatedFontStack();
    bool Empty() const { return FSaved.empty(); }

private:
    friend void SelectRotatedFont(TCanvas*, int, TRotatedFontStack&);
    friend void RestoreRotatedFont(TCanvas*, TRotatedFontStack&);
    std::vector<std::unique_ptr<TFont>> FSaved;
};
// Selects a copy of the canvas font turned by degrees (tenths for the font).
void SelectRotatedFont(TCanvas* c, int degrees, TRotatedFontStack& stack);
// Selects the font before the last SelectRotatedFont; nothing when none.
void RestoreRotatedFont(TCanvas* c, TRotatedFontStack& stack);

// ---------------------------------------------------------------------------
// Entities

struct THTMLEntity {
    const char* Name;  // with "&" and ";"
    char16_t Char;
};
// The 51 named characters, in their fixed order.
const QList<THTMLEntity>& HTMLEntityTable();

// One pass from left to right: the four basic names (and, with all, the
// table's names), written in exactly their case, become their characters.
QString HTMLEntityDecode(const QString& text, bool all);
// One pass: "&", the double quote, "<", ">" (and, with all, every table
// character) become their names. Decode(Encode(x)) == x for every x.
QString HTMLEntityEncode(const QString& text, bool all);
QString SpacesToNbsp(const QString& text);

// ---------------------------------------------------------------------------
// Stripping and searching

// Plain text: "<BR>" and "<HR>" become CR LF, other tags are removed; a "<"
// without a later ">" keeps the rest as it stands.
QString HTMLStrip(const QString& text);
// Tags removed while the first ">" comes after the first "<".
QString StripTags(const QString& text);
// Position in text of the n-th visible character; length + 1 at the end,
// 0 when the text has fewer visible characters.
int VisiblePosToTextPos(const QString& text, int n);
// Position of search in text after its first start characters, also in pos.
int FindTextFrom(const QString& search, const QString& text, int start, int& pos,
                 bool caseSensitive);
// Every occurrence of search in the visible text wrapped in <tag> and </tag>;
// result holds the same text as returned.
QString HighlightText(const QString& text, const QString& search, const QString& tag,
                      QString& result, bool caseSensitive);
// The bare opening and closing tags of that name removed (any case), then
// "&lt;" and "&gt;" back to "<" and ">".
QString RemoveTag(const QString& text, const QString& tag);

// ---------------------------------------------------------------------------
// CONTROL tags

struct TControlTag {
    QString Type;    // upper case
    QString Width;
    QString Height;
    QString ID;
    QString Value;   // entities decoded
    QString Prop;    // entities decoded
    QString MaxLen;
};

// The value of NAME="..." in a tag text (name upper case, with its "=");
// empty when missing.
QString TagAttribute(const QString& tagText, const QString& nameWithEq);
// The same with the tag's upper-cased text given: the name is found there,
// the value taken from the tag in its own case.
QString TagAttribute(const QString& tagText, const QString& upperTagText, const QString& name);
TControlTag ParseControlTag(const QString& tagText);
bool HasControlTag(const QString& text);
// The ID of the first editable control after the one with ID id (from the
// start when id is empty); empty when none.
QString NextControlID(const QString& text, const QString& id);
QString ClearRadioControls(const QString& text);
bool GetControlValue(const QString& text, const QString& id, QString& value);
QString GetControlProp(const QString& text, const QString& id);
int GetControlMaxLen(const QString& text, const QString& id);
// Rewrites the first control with that ID with a new VALUE; false and the
// text unchanged when no control has the ID.
bool SetControlValue(QString& text, const QString& id, const QString& value);
