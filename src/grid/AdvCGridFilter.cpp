#include "AdvCGridFilter.h"

#include "AdvGridFilter.h"

void SetColumnFilterCondition(TFilter* Filter, int Column, const QString& Condition, bool CaseSensitive)
{
    if (!Filter) return;
    TFilterData* data = nullptr;
    for (int i = 0; i < Filter->Count() && !data; ++i)
        if (Filter->Items(i)->Column() == Column) data = Filter->Items(i);
    if (!data) {
        data = Filter->Add();
        data->SetColumn(Column);
    }
    data->SetCondition(Condition);
    data->SetCaseSensitive(CaseSensitive);
}
