#pragma once
// The masked-edit model: a mask over the text of an editor, its caret and
// selection, without any widget.
//
// A mask is "characters[;keep literals 0 or 1, default 1[;blank, default _]]".
// Characters: L letter, A letter or digit, C any character, 0 digit (each
// required); l, a, c, 9 the optional forms; # optional digit or sign;
// > upper case from here, < lower case, <> no case change; \ makes the next
// character literal; : and / the time and date separators of the regional
// settings; ! reads the blanks of unfilled optional positions first; _ a
// literal blank; anything else a literal.

#include <QChar>
#include <QString>
#include <vector>

class TEditMaskModel {
public:
    TEditMaskModel() = default;
    explicit TEditMaskModel(const QString& mask) { SetMask(mask); }

    // An empty mask switches the model off (Active() false).
    void SetMask(const QString& mask);
    QString Mask() const { return FMask; }
    bool Active() const { return !FPositions.empty(); }
    int Length() const { return int(FPositions.size()); }
    QChar BlankChar() const { return FBlank; }
    bool KeepLiterals() const { return FKeepLiterals; }

    // What the edit shows: literals, typed characters and blanks.
    QString EditText() const;
    // Loads a shown text (as EditText gives it); characters that do not fit
    // their position become blanks.
    void SetEditText(const QString& v);
    // The content: blanks as spaces, literals only when the mask keeps them;
    // with ! the blanks of unfilled optional positions come first.
    QString Text() const;
    // Loads a content as Text gives it.
    void SetText(const QString& v);

    int SelStart() const { return FSelStart; }
    int SelLength() const { return FSelLength; }
    void SetSel(int start, int length);

    // Typing at the caret (a selection is blanked first): the character fills
    // the next editable position if it fits, skipping literals; true when it
    // was taken, false when refused (nothing changes).
    bool TypeChar(QChar ch);
    // Pasting at the caret (a selection is blanked first): every character
    // fills the next editable position, or matches the literal it stands
    // on; a line break at the end is dropped. All or nothing: false when a
    // character does not fit or the text runs past the mask (nothing
    // changes).
    bool PasteText(const QString& text);
    // Blank without shifting: the selection, or the editable position before
    // (Backspace) or at (Delete) the caret.
    void Backspace();
    void Delete();

    // The first required position still blank, or -1 when complete.
    int FirstMissing() const;
    bool IsEditable(int pos) const;

private:
    enum class Kind { Literal, Letter, AlphaNum, AnyChar, Digit, DigitOrSign };
    enum class Case { None, Upper, Lower };
    struct Position {
        Kind K = Kind::Literal;
        bool Required = false;
        Case C = Case::None;
        QChar Literal;
    };
    bool Fits(const Position& p, QChar ch) const;
    QChar Converted(const Position& p, QChar ch) const;
    void BlankRange(int start, int length);
    int NextEditable(int from) const;

    QString FMask;
    std::vector<Position> FPositions;
    QString FValue;  // one character per position, FBlank when unfilled
    bool FKeepLiterals = true;
    bool FBlanksFirst = false;
    QChar FBlank = u'_';
    int FSelStart = 0;
    int FSelLength = 0;
};
