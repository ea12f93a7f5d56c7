#pragma once
// The device update dialog. For now it holds its title panel; its texts
// follow the kind of update it is shown for and are set at every showing.

#include "UFormLook.h"

class TFBoot : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFBoot)
    explicit TFBoot(TComponent* AOwner);

    // 1: update through Ethernet, 0: through a serial port.
    int Form_Type = 0;

    void FormCreate() override {}
    void FormShow();
    void Set_Lang() override;
};

extern TFBoot* FBoot;
