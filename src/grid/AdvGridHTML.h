#pragma once
// The string grid's HTML export settings.

#include "AdvObj.h"
#include "Persistence.h"

#include <QString>
#include <memory>

class TBaseGrid;

// Created by its grid and freed with it. Setters only store.
class THTMLSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(THTMLSettings)
    explicit THTMLSettings(TBaseGrid* AOwner);
    ~THTMLSettings() override;
    TPersistent* GetOwner() override;

    // Open the written file with the system's "open" action.
    ADVOBJ_PLAIN_BOOL(AutoPreview, false)
    ADVOBJ_PLAIN_PROPERTY(int, BorderSize, 1)
    ADVOBJ_PLAIN_PROPERTY(int, CellSpacing, 0)
    ADVOBJ_PLAIN_PROPERTY(int, CellPadding, 0)
    // Special characters of body cells become entities.
    ADVOBJ_PLAIN_BOOL(ConvertSpecialChars, false)
    // Cell pictures are written as image files beside the page.
    ADVOBJ_PLAIN_BOOL(ExportImages, true)
    // Text files whose lines follow (precede) the table.
    ADVOBJ_PLAIN_PROPERTY(QString, FooterFile, QString())
    ADVOBJ_PLAIN_PROPERTY(QString, HeaderFile, QString())
    // Blanks of body cells become non-breaking spaces.
    ADVOBJ_PLAIN_BOOL(NonBreakingText, false)
    // Before the style block.
    ADVOBJ_PLAIN_PROPERTY(QString, PrefixTag, QString())
    // Background and text colours become style declarations.
    ADVOBJ_PLAIN_BOOL(SaveColor, true)
    ADVOBJ_PLAIN_BOOL(SaveFonts, true)
    // A line after the table.
    ADVOBJ_PLAIN_PROPERTY(QString, SuffixTag, QString())
    ADVOBJ_PLAIN_PROPERTY(QString, Summary, QString())
    // Extra text inside the table tag.
    ADVOBJ_PLAIN_PROPERTY(QString, TableStyle, QString())
    // Table width in percent.
    ADVOBJ_PLAIN_PROPERTY(int, Width, 100)
    ADVOBJ_PLAIN_BOOL(XHTML, false)

public:
    // Column widths written as width attributes; owned, not streamed.
    TIntList* ColWidths() const { return FColWidths.get(); }

    // From another HTML settings object everything but ExportImages and
    // ColWidths; any other source changes nothing.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TBaseGrid* FGrid;
    std::unique_ptr<TIntList> FColWidths;
};
