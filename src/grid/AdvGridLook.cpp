#include "AdvGridLook.h"

#include "BaseGrid.h"

// ---------------------------------------------------------------------------
// TControlLook

TControlLook::TControlLook(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()),
      FDropDownHeader(std::make_unique<THeaderAppearance>(AOwner)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(AOwner))
{
}

TControlLook::~TControlLook() = default;

TPersistent* TControlLook::GetOwner()
{
    return FGrid;
}

void TControlLook::Assign(TPersistent* Source)
{
    if (dynamic_cast<TControlLook*>(Source)) return;
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TBackGround

TBackGround::TBackGround(TBaseGrid* AOwner) : FGrid(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

TPersistent* TBackGround::GetOwner()
{
    return FGrid;
}

void TBackGround::Assign(TPersistent* Source)
{
    if (dynamic_cast<TBackGround*>(Source)) return;
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TGrouping, TShowModified

TPersistent* TGrouping::GetOwner()
{
    return FGrid;
}

void TGrouping::Assign(TPersistent*) {}

TPersistent* TShowModified::GetOwner()
{
    return FGrid;
}

void TShowModified::SetColor(TColor v)
{
    FColor = v;
    if (OnChange) OnChange(this);
}

void TShowModified::Assign(TPersistent*) {}

// ---------------------------------------------------------------------------
// TDragScrollOptions

void TDragScrollDelays::Assign(TPersistent* Source)
{
    if (dynamic_cast<TDragScrollDelays*>(Source)) return;
    TPersistent::Assign(Source);
}

void TDragScrollMargins::Assign(TPersistent* Source)
{
    if (dynamic_cast<TDragScrollMargins*>(Source)) return;
    TPersistent::Assign(Source);
}

TDragScrollOptions::TDragScrollOptions(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FDelays(std::make_unique<TDragScrollDelays>(this)),
      FMargins(std::make_unique<TDragScrollMargins>(this))
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

TPersistent* TDragScrollOptions::GetOwner()
{
    return FGrid;
}

void TDragScrollOptions::Assign(TPersistent*) {}

// ---------------------------------------------------------------------------
// TGridProgressAppearance

TPersistent* TGridProgressAppearance::GetOwner()
{
    return FGrid;
}

void TGridProgressAppearance::Assign(TPersistent*) {}
