#pragma once
// The about box: the identity of the tool, in fixed English texts that a
// language change does not touch, with a link to the maker's home page.

#include "UFormLook.h"

class TFAbout : public TForm {
public:
    DECLARE_CLASSNAME(TFAbout)
    explicit TFAbout(TComponent* AOwner);

    TImage* Image2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label6;
    TLabel* Label9;
    TLabel* Label3;
    TLabel* Label10;
    TLabel* Label8;
    TLabel* Label12;
    TLabel* Label4;
    TLbButton* LbButton1;

    void FormShow();
    void Label4Click();
};

extern TFAbout* FAbout;
