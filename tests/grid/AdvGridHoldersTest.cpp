// The settings objects every string grid creates: their values after
// construction, what Assign copies and from which sources, and the trip of
// every published property through the property list.

#include "AdvGridDragDrop.h"
#include "AdvGridFilter.h"
#include "AdvGridHTML.h"
#include "AdvGridPrint.h"
#include "AdvGridSort.h"
#include "PropertyChecks.h"
#include "asgdd.h"

#include <gtest/gtest.h>

using PropertyChecks::Printable;
using PropertyChecks::TMaker;

namespace {

template <class T>
TMaker HolderMaker()
{
    return [] { return std::shared_ptr<TPersistent>(std::make_shared<T>(nullptr)); };
}

// A condition with its collection, as the grid's filter holds it.
TMaker FilterDataMaker()
{
    return [] {
        auto filter = std::make_shared<TFilter>(nullptr);
        TFilterData* item = filter->Insert(0);
        return std::shared_ptr<TPersistent>(filter, item);
    };
}

enum class TForeign { Raises, Ignored };

struct THolderCase {
    const char* Name;
    TMaker Make;
    QStringList Defaults;
    QSet<QString> NotCopied;
    TForeign OtherClass;  // a source of another class
    TForeign NoSource;    // Assign(nullptr)
};

const QString HolderFont = QStringLiteral("Font(DejaVu Sans,-11,0,clWindowText)");

std::vector<THolderCase> HolderCases()
{
    return {
        {"TSortSettings", HolderMaker<TSortSettings>(),
         {"Column=-1", "Row=0", "Show=false", "Direction=sdAscending", "InitSortDirection=sdAscending",
          "Full=true", "AutoFormat=true", "IgnoreCase=false", "IgnoreBlanks=false", "BlankPos=blFirst",
          "SingleColumn=false", "NormalCellsOnly=false", "FixedCols=false", "IndexShow=false",
          "IndexSortKey=ikShift", "IndexColor=clYellow", "UndoSort=false", "AutoSortForGrouping=true",
          "AutoColumnMerge=false", "SortOnVirtualCells=true", "UpGlyph=Bitmap(0x0)", "DownGlyph=Bitmap(0x0)",
          "IndexUpGlyph=Bitmap(0x0)", "IndexDownGlyph=Bitmap(0x0)", "HeaderColor=clNone", "HeaderColorTo=clNone",
          "HeaderMirrorColor=clNone", "HeaderMirrorColorTo=clNone"},
         {}, TForeign::Ignored, TForeign::Ignored},
        {"TFilterData", FilterDataMaker(),
         {"Column=0", "Condition=\"\"", "CaseSensitive=true", "Data=fcVirtual", "Prefix=\"\"", "Suffix=\"\"",
          "Operation=foSHORT", "Method=fmExpression"},
         {}, TForeign::Raises, TForeign::Ignored},
        {"TFilterDropDown", HolderMaker<TFilterDropDown>(),
         {"AutoSize=false", "Color=clWindow", "ColumnWidth=false", "Font=" + HolderFont, "Height=150", "Width=150",
          "Glyph=Bitmap(0x0)", "GlyphActive=Bitmap(0x0)"},
         {}, TForeign::Raises, TForeign::Raises},
        {"TDragDropSettings", HolderMaker<TDragDropSettings>(),
         {"OleDropTarget=false", "OleDropSource=false", "OleAcceptText=true", "OleAcceptFiles=true",
          "OleAcceptURLs=true", "OleDropRTF=false", "OleEntireRows=false", "OleAppendRows=false",
          "OleInsertRows=false", "OleRemoveRows=false", "OleCopyAlways=false", "OleColumnDragDrop=false",
          "OleColumnReorder=false", "OleColumnsOnly=false", "ShowCells=true"},
         {}, TForeign::Raises, TForeign::Raises},
        {"THTMLSettings", HolderMaker<THTMLSettings>(),
         {"AutoPreview=false", "BorderSize=1", "CellSpacing=0", "CellPadding=0", "ConvertSpecialChars=false",
          "ExportImages=true", "FooterFile=\"\"", "HeaderFile=\"\"", "NonBreakingText=false", "PrefixTag=\"\"",
          "SaveColor=true", "SaveFonts=true", "SuffixTag=\"\"", "Summary=\"\"", "TableStyle=\"\"", "Width=100",
          "XHTML=false"},
         {"ExportImages"}, TForeign::Ignored, TForeign::Ignored},
        {"TPrintSettings", HolderMaker<TPrintSettings>(),
         {"FooterSize=0", "HeaderSize=0", "Time=ppNone", "Date=ppNone", "DateFormat=\"dd/mm/yyyy\"",
          "PageNr=ppNone", "Title=ppNone", "TitleText=\"\"", "TitleLines=Strings()", "Font=" + HolderFont,
          "FixedFont=" + HolderFont, "HeaderFont=" + HolderFont, "FooterFont=" + HolderFont, "Borders=pbSingle",
          "BorderStyle=psSolid", "BorderColor=clBlack", "Centered=true", "RepeatFixedRows=false",
          "RepeatFixedCols=false", "LeftSize=0", "RightSize=0", "ColumnSpacing=0", "RowSpacing=0",
          "TitleSpacing=0", "Orientation=poPortrait", "PagePrefix=\"\"", "PageSuffix=\"\"",
          "PageNumberOffset=0", "MaxPagesOffset=0", "FixedWidth=0", "FixedHeight=0", "UseFixedHeight=false",
          "UseFixedWidth=false", "FitToPage=fpNever", "JobName=\"\"", "PageNumSep=\"/\"", "NoAutoSize=false",
          "NoAutoSizeRow=false", "PrintGraphics=false", "UseDisplayFont=true", "UseDefaultOrientation=false"},
         {}, TForeign::Raises, TForeign::Raises},
    };
}

// Writing OleDropRTF switches rich text for every grid: put it back.
struct HolderRtfGuard {
    ~HolderRtfGuard() { SetOleRTFEnabled(false); }
};

}  // namespace

TEST(GridHolders, ValuesAfterConstruction)
{
    for (const THolderCase& c : HolderCases()) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Printable(PropertyChecks::Values(c.Make().get())), Printable(c.Defaults));
    }
}

TEST(GridHolders, AssignCopiesWhatItShouldFromItsOwnClassOnly)
{
    HolderRtfGuard guard;
    for (const THolderCase& c : HolderCases()) {
        SCOPED_TRACE(c.Name);
        PropertyChecks::ExpectAssignEach(c.Make, c.NotCopied);

        auto target = c.Make();
        const QStringList before = PropertyChecks::Values(target.get());
        TBands other;
        if (c.OtherClass == TForeign::Raises)
            EXPECT_THROW(target->Assign(&other), EConvertError);
        else
            EXPECT_NO_THROW(target->Assign(&other));
        if (c.NoSource == TForeign::Raises)
            EXPECT_THROW(target->Assign(nullptr), EConvertError);
        else
            EXPECT_NO_THROW(target->Assign(nullptr));
        EXPECT_EQ(Printable(PropertyChecks::Values(target.get())), Printable(before));
    }
}

TEST(GridHolders, EveryPropertyTravelsThroughTheList)
{
    HolderRtfGuard guard;
    for (const THolderCase& c : HolderCases()) {
        SCOPED_TRACE(c.Name);
        PropertyChecks::ExpectListRoundTrip(c.Make);
    }
}
