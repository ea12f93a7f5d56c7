#pragma once
// The editor of one MQTT topic or template text: a multi-line editor above
// the list of the keywords a template may hold. The caller sets the three
// fields, puts the text into RE_TopicTemplate, shows the dialog and reads
// the editor's whole text back on OK. Nothing is checked here.

#include "ComCtrls.h"
#include "UFormLook.h"

class TAdvStringGrid;

class TFTopicTemplate : public TFramedDialog {
public:
    DECLARE_CLASSNAME(TFTopicTemplate)
    explicit TFTopicTemplate(TComponent* AOwner);

    TPanel* Panel1;
    TRichEdit* RE_TopicTemplate;
    TSplitter* Splitter1;
    TPanel* P_Legend;
    TLabel* L_List_Keywords;
    TAdvStringGrid* ASG_Keywords;

    // 1: a template is edited ("Set Template"); 0: a topic ("Set Topic").
    int TopicTemplate = 0;
    int Working_Mode = 0;
    int Pub_Sub = 0;  // 0 publish page, 1 subscribe page

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void Laod_Keywords();
};

extern TFTopicTemplate* FTopicTemplate;
