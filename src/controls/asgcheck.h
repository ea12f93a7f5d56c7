#pragma once
// The base of cell checkers: components a grid consults to correct cell
// texts and to mark errors in them. A descendant (a dictionary checker, a
// value validator) overrides the four operations; the base changes nothing.
// A grid holds one through a reference that the checker's removal
// notification clears.

#include "Classes.h"

class TAdvStringGridCheck : public TComponent {
public:
    DECLARE_CLASSNAME(TAdvStringGridCheck)
    explicit TAdvStringGridCheck(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    // S with its errors marked in the grid's error markup.
    virtual QString MarkError(int ACol, int ARow, const QString& S);
    // S corrected.
    virtual QString Correct(int ACol, int ARow, const QString& S);
    // Before and after the grid examines a range of cells.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // The grid moves its current cell to each cell of a range check.
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool v) { FGotoCell = v; }
    // The end of an in-place edit passes the new text through Correct.
    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool v) { FAutoCorrect = v; }
    // The end of an in-place edit passes the validated text through MarkError.
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool v) { FAutoMarkError = v; }
    // The grid's cell checks call Correct / MarkError.
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool v) { FUseCorrect = v; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool v) { FUseMarkError = v; }

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
