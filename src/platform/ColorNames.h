#pragma once
// Colour values to their identifiers and back: "clRed", "clBtnFace", ...;
// a colour without an identifier is "$" and eight upper-case hex digits.

#include "Types.h"

#include <QString>

QString ColorToString(TColor color);
// An identifier (without case), or a number as the integer reader takes it
// ("$00EACAB6", "255"); anything else raises EConvertError.
TColor StringToColor(const QString& text);
bool IdentToColor(const QString& ident, TColor& color);
