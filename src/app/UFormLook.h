#pragma once
// The look every window of the program shares: the window colour, Verdana,
// the button colours, the title panel with the software code and the
// window's description, the button panel, and the pictures of our own that
// the buttons and the about box show.

#include "ExtCtrls.h"
#include "Forms.h"
#include "LbButton.h"
#include "StdCtrls.h"

#include <QString>
#include <functional>
#include <memory>

constexpr TColor WindowColor = 15595512;      // RGB 248, 247, 237
constexpr TColor ButtonDownColor = 33023;     // orange
constexpr TColor ButtonLightColor = 8421504;  // grey
constexpr TColor HotTrackYellow = 65535;
constexpr TColor HotTrackSkyBlue = 15780518;
constexpr TColor TitleTextColor = clGray;

// The entry n of Language_Table; empty when the table does not hold it.
QString LangText(int n);

// Verdana at `pixels` character height (the platform's sans-serif takes its
// place when Verdana is not installed).
void SetVerdana(TFont* font, int pixels, TFontStyles style = {}, TColor color = clWindowText);

// Window colour, Verdana 11 pixels, centred, the border given, client size.
void StyleForm(TForm* form, TFormBorderStyle border, int clientWidth, int clientHeight);

// A label on parent at (left, top), auto-sized, transparent.
TLabel* NewLabel(TWinControl* parent, int left, int top, const QString& caption = QString());

// A link label at the bounds given, hidden; a click on its link calls onLink
// with the link's address.
TLinkLabel* NewLinkLabel(TWinControl* parent, int left, int top, int width, int height,
                         std::function<void(const QString& Link)> onLink);

// A push button of the program's look: window colour, orange when down,
// grey light colour, the hot-track colour given.
TLbButton* NewButton(TWinControl* parent, int left, int top, int width, int height,
                     TLbButtonStyle style, TColor hotTrack = HotTrackYellow);

// The pictures of our own.
enum class TGlyphKind {
    New, Open, Parameters, Table, Update, Document, Info, Options, Close, Ok, Cancel,
    Previous, Next, Check,
    DeleteRow, InsertRow, CopyRow, PasteRow  // the table windows' row buttons
};
// A glyph for a button (transparent by its bottom-left pixel); with two
// images the second is the greyed one shown while the button is disabled.
std::unique_ptr<TBitmap> MakeGlyph(TGlyphKind kind, int size = 24, int images = 1);
void SetButtonGlyph(TLbButton* button, TGlyphKind kind, int size = 24, int images = 1);
// The maker's logo for the about box.
std::unique_ptr<TBitmap> MakeLogo(int size = 81);

// The title panel at the top of a window (69 pixels): the software code in
// large grey letters and the window's description in grey bold below it.
struct TTitlePanel {
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
};
TTitlePanel NewTitlePanel(TForm* form);

// The button panel at the bottom of a dialog (40 pixels).
TPanel* NewButtonPanel(TForm* form);

// A button's caption and hint from two entries of Language_Table.
void SetButtonTexts(TLbButton* button, int captionEntry, int hintEntry);

// A dialog of the program's look: title panel, button panel with OK and
// Cancel, the border and client size given, centred.
class TFramedDialog : public TForm {
public:
    DECLARE_CLASSNAME(TFramedDialog)
    TFramedDialog(TComponent* AOwner, TFormBorderStyle border, int clientWidth, int clientHeight,
                  int okLeft, int cancelLeft);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
};

// A window that, for now, has only its title panel: the later windows of
// the program start from it. Its creation shows Software_Code and runs
// Set_Lang, which sets the caption and L_SW_Desc from two entries of
// Language_Table.
class TTitledForm : public TForm {
public:
    DECLARE_CLASSNAME(TTitledForm)
    TTitledForm(TComponent* AOwner, int clientWidth, int clientHeight, int captionEntry,
                int descEntry);

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;

    virtual void FormCreate();
    virtual void Set_Lang();

protected:
    // Caption := entry captionEntry, L_SW_Desc := entry descEntry.
    void ShowTitleTexts(int captionEntry, int descEntry);

private:
    int FCaptionEntry;
    int FDescEntry;
};
