#include "AdvGridDragDrop.h"

#include "BaseGrid.h"
#include "asgdd.h"

TPersistent* TDragDropSettings::GetOwner()
{
    return FGrid;
}

void TDragDropSettings::SetOleDropRTF(bool v)
{
    SetOleRTFEnabled(v);
    FOleDropRTF = v;
}

void TDragDropSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TDragDropSettings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
#define ADVGRIDDRAGDROP_COPY(Name, Default) F##Name = src->F##Name;
    ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVGRIDDRAGDROP_COPY)
    FOleDropRTF = src->FOleDropRTF;
    ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVGRIDDRAGDROP_COPY)
#undef ADVGRIDDRAGDROP_COPY
}

const TPropertyList& TDragDropSettings::Properties()
{
    using C = TDragDropSettings;
#define ADVGRIDDRAGDROP_REGISTER(Name, Default) .Boolean<C>(#Name, &C::Name, &C::Set##Name)
    static const TPropertyList list = TPropertyList()
        ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVGRIDDRAGDROP_REGISTER)
        .Boolean<C>("OleDropRTF", &C::OleDropRTF, &C::SetOleDropRTF)
        ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVGRIDDRAGDROP_REGISTER);
#undef ADVGRIDDRAGDROP_REGISTER
    return list;
}
