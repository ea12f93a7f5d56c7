#pragma once
// TAdvRichEdit: the rich-text control of the string grid, both the hidden
// converter of rich-text cells and the in-place editor of edRichEdit cells.
// It raises and lowers the selection (super- and subscript as a baseline
// offset of +40 and -40 twips), reports the size its content asks for and
// lets the grid move on with Tab and the vertical arrows.

#include "ComCtrls.h"

class TAdvStringGrid;
class QTextDocument;
class QTextEdit;

class TAdvRichEdit : public TCustomRichEdit {
public:
    DECLARE_CLASSNAME(TAdvRichEdit)
    // The owner is the string grid the control serves.
    explicit TAdvRichEdit(TComponent* AOwner);

    // The baseline offset of the selection, in twips.
    static constexpr int SubscriptOffset = -40;
    static constexpr int SuperscriptOffset = 40;
    void SelNormal() { SetSelOffset(0); }
    void SelSubscript() { SetSelOffset(SubscriptOffset); }
    void SelSuperscript() { SetSelOffset(SuperscriptOffset); }
    bool IsSelNormal() const { return SelOffset() == 0; }
    bool IsSelSubscript() const { return SelOffset() == SubscriptOffset; }
    bool IsSelSuperscript() const { return SelOffset() == SuperscriptOffset; }
    int SelOffset() const;
    void SetSelOffset(int Twips);

    // The size the content last asked for.
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }
    // Asks the content for its size (the answer goes to RequestResize).
    void RequestSize();
    // Set while the grid fills the control: size requests are ignored.
    void LockResize() { FLocked = true; }
    void UnlockResize() { FLocked = false; }
    bool ResizeLocked() const { return FLocked; }
    // Re-applies the control's settings to its window.
    void ReCreate();

    QTextEdit* TextEdit() const;
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;
    // The content asks for Width x Height pixels.
    virtual void RequestResize(int Width, int Height);

private:
    TAdvStringGrid* FGrid = nullptr;
    int FReqWidth = 0;
    int FReqHeight = 0;
    bool FLocked = false;
};

// The rich editor's document as 7-bit RTF (other characters as \'hh and \u
// escapes), with fonts, sizes, bold, italic, underline, strike-out, colours,
// highlights, alignment and the baseline offsets; paragraphs end with \par.
QString RichEditToRtf(const QTextDocument& Doc);
// Loads RTF into a document (replacing its content), read as the grid's
// cells are read, except that stray closing braces do not end it: the text
// after them is kept.
void RtfToRichEdit(const QString& Rtf, QTextDocument& Doc);
