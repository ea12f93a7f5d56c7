#include "UTableFile.h"

#include "AdvGrid.h"
#include "XmlDoc.h"

namespace {

const QString RowElement = QStringLiteral("row");

// The state of a check-box cell through the grid's check-box cells; false
// when the cell carries no box.
template <class G>
bool CheckBoxState(G* grid, int col, int row, bool& checked)
{
    if constexpr (requires { grid->GetCheckBoxState(col, row, checked); })
        return grid->GetCheckBoxState(col, row, checked);
    else
        return false;
}

// A check-box cell's state; a cell without its box gets one.
void SetCheckBoxCell(TAdvStringGrid* grid, int col, int row, bool checked)
{
    if (!grid->HasCheckBox(col, row))
        grid->AddCheckBox(col, row, checked, false);
    grid->SetCheckBoxState(col, row, checked);
}

QString StoredCellText(const TTablePage& page, int col, int row)
{
    if (page.Kind == TTableGridKind::CheckBoxGrid && page.Columns[size_t(col - 1)].CheckBox) {
        bool checked = false;
        // A cell of a check-box column that carries no box is stored unchecked.
        if (!CheckBoxState(page.Grid, col, row, checked))
            return QStringLiteral("N");
        return checked ? QStringLiteral("Y") : QStringLiteral("N");
    }
    return page.Grid->Cells(col, row);
}

// The section of a page, or the root for a page without one; null when a
// sectioned file lacks it.
TXmlNode PageParent(const TXmlNode& root, const TTablePage& page)
{
    return page.Section.isEmpty() ? root : root.ChildElement(page.Section);
}

}  // namespace

int StoredRowCount(const TTablePage& page)
{
    const int last = page.Grid->RowCount() - 1;
    int n = 0;
    while (n < last && !page.Grid->Cells(page.KeyColumn, n + 1).trimmed().isEmpty())
        ++n;
    return n;
}

void BuildTableDocument(const TTableFileLayout& layout, TXmlDocument& doc)
{
    doc.ClearDocument();
    TXmlNode root = doc.AddChild(layout.Root);
    doc.AddComment(QStringLiteral("SW_VERSION = ") + layout.Version);
    // Every section first, in page order, so an empty one is written too.
    std::vector<TXmlNode> parents;
    for (const TTablePage& page : layout.Pages)
        parents.push_back(page.Section.isEmpty() ? root : root.AddChild(page.Section));
    for (size_t p = 0; p < layout.Pages.size(); ++p) {
        const TTablePage& page = layout.Pages[p];
        const int rows = StoredRowCount(page);
        const int cols = int(page.Columns.size());
        for (int r = 1; r <= rows; ++r) {
            TXmlNode row = parents[p].AddChild(RowElement);
            for (int c = 1; c <= cols; ++c)
                if (!page.Columns[size_t(c - 1)].Attribute.isEmpty())
                    row.SetAttribute(page.Columns[size_t(c - 1)].Attribute, StoredCellText(page, c, r));
        }
    }
}

TWriteResult SaveTableFile(const TTableFileLayout& layout, const QString& path)
{
    TXmlDocument doc;
    BuildTableDocument(layout, doc);
    return doc.SaveToFile(path);
}

namespace {

TTableLoadResult FillGrids(const TTableFileLayout& layout, const TXmlDocument& doc, const TXmlLoadResult& loaded)
{
    TTableLoadResult result;
    if (!loaded) {
        result.Whole = false;
        result.Unreadable = true;
        result.Reason = loaded.Reason();
        return result;
    }
    const TXmlNode root = doc.DocumentElement();
    result.Absent.resize(layout.Pages.size());
    for (size_t p = 0; p < layout.Pages.size(); ++p) {
        const TTablePage& page = layout.Pages[p];
        const TXmlNode parent = PageParent(root, page);
        if (parent.IsNull()) {
            // The page stays cleared; saving would replace what the file holds.
            result.Whole = false;
            result.MissingSections << page.Section;
            continue;
        }
        const int gridRows = page.Grid->RowCount() - 1;
        const int count = parent.ChildElementCount();
        const int rows = std::min(count, gridRows);
        for (int i = 0; i < rows; ++i) {
            const TXmlNode element = parent.ChildElementAt(i);
            std::vector<bool>& absent = result.Absent[p].emplace_back(page.Columns.size(), false);
            for (size_t c = 0; c < page.Columns.size(); ++c) {
                const TTableColumn& column = page.Columns[c];
                if (column.Attribute.isEmpty())
                    continue;  // a column the file does not keep
                std::optional<QString> value = element.Attribute(column.Attribute);
                absent[c] = !value.has_value();
                if (!value)
                    value = column.Default;
                if (!value) {
                    result.Whole = false;
                    result.Stopped = true;
                    result.Section = page.Section;
                    result.Row = i + 1;
                    result.Attribute = column.Attribute;
                    return result;
                }
                if (page.Kind == TTableGridKind::CheckBoxGrid && column.CheckBox)
                    SetCheckBoxCell(page.Grid, int(c) + 1, i + 1, *value != QLatin1String("N"));
                else
                    page.Grid->SetCells(int(c) + 1, i + 1, *value);
            }
        }
        if (count > gridRows && !result.ExtraRows) {
            result.Whole = false;
            result.ExtraRows = true;
            result.ExtraSection = page.Section.isEmpty() ? root.Name() : page.Section;
            result.ExtraRowsLimit = gridRows;
        }
    }
    return result;
}

}  // namespace

TTableLoadResult LoadTableBytes(const TTableFileLayout& layout, const QByteArray& bytes)
{
    TXmlDocument doc;
    const TXmlLoadResult loaded = doc.LoadFromBytes(bytes);
    return FillGrids(layout, doc, loaded);
}

TTableLoadResult LoadTableFile(const TTableFileLayout& layout, const QString& path)
{
    TXmlDocument doc;
    const TXmlLoadResult loaded = doc.LoadFromFile(path);
    return FillGrids(layout, doc, loaded);
}
