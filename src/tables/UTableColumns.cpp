#include "UTableColumns.h"

#include "AdvGrid.h"
#include "UFormLook.h"

TTableColumnSpec TableTextColumn(int header, int width, TColor color, const char* attribute,
                                 std::optional<QString> def)
{
    return {header, edNormal, {}, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableListColumn(int header, const QStringList& choices, int width, TColor color,
                                 const char* attribute, std::optional<QString> def)
{
    return {header, edComboList, choices, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableComboEditColumn(int header, const QStringList& choices, int width, TColor color,
                                      const char* attribute, std::optional<QString> def)
{
    return {header, edComboEdit, choices, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableCheckColumn(int header, int width, TColor color, const char* attribute,
                                  std::optional<QString> def)
{
    return {header, edDataCheckBox, {}, width, color, taCenter, QLatin1String(attribute), std::move(def)};
}

QStringList TableNumberTexts(int first, int count)
{
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << QString::number(first + i);
    return out;
}

std::vector<int> TableEntryRange(int first, int last)
{
    std::vector<int> out;
    for (int n = first; n <= last; ++n)
        out.push_back(n);
    return out;
}

TAdvStringGrid* NewCheckBoxTableGrid(TWinControl* parent, const TTableGridSpec& spec, TGridOptions options,
                                     int rowHeight)
{
    auto* grid = Create<TAdvStringGrid>(parent);
    grid->SetName(spec.Name);
    grid->SetParent(parent);
    grid->SetAlign(alClient);
    grid->SetColCount(int(spec.Columns.size()) + 1);
    grid->SetRowCount(spec.DataRows + 1);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions(options);
    grid->SetCells(0, 0, LangText(spec.FixedHeader));
    grid->SetColWidths(0, 40);
    for (size_t c = 0; c < spec.Columns.size(); ++c) {
        grid->SetCells(int(c) + 1, 0, LangText(spec.Columns[c].Header));
        grid->SetColWidths(int(c) + 1, spec.Columns[c].Width);
    }
    for (int r = 1; r <= spec.DataRows; ++r) {
        grid->AddCheckBox(1, r, false, false);
        if (rowHeight > 0)
            grid->SetRowHeights(r, rowHeight);
        grid->SetCells(0, r, QString::number(r));
        for (size_t c = 0; c < spec.Columns.size(); ++c) {
            grid->SetColors(int(c) + 1, r, spec.Columns[c].Color);
            grid->SetAlignments(int(c) + 1, r, spec.Columns[c].Alignment);
        }
    }
    return grid;
}
