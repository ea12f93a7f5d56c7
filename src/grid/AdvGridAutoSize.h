#pragma once
// Text measuring shared by the grid's sizing and its hints.

#include "Graphics.h"

#include <QString>

// Width and height of Text in Font; word-wrapped to WrapWidth when above 0.
TSize AutoSizeTextExtent(const QString& Text, TFont* Font, int WrapWidth);
