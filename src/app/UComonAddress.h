#pragma once
// Address, port and number helpers of the editing windows' validation.
// They hold no state and show nothing. Every integer is read with the one
// lenient reader of the platform (TryStrToInt).

#include <QChar>
#include <QString>
#include <cstdint>

class TStringList;

// The text without the blanks and control characters (up to U+0020) at
// either end.
QString TrimControls(const QString& s);

// True when the text is a dotted IPv4 address (outer blanks and control
// characters ignored, each part trimmed, each 0..255). The four parts are
// assigned as they are reached, also when the result is false.
bool SplitIpText(const QString& text, QString& o1, QString& o2, QString& o3, QString& o4);

// True on ERROR (the sense every caller relies on). The empty text is an
// error with the bytes untouched; otherwise each octet in text order, one
// that does not read or lies outside 0..255 stored as 0 with the error set.
bool IpTextToBytes(const QString& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4);

// A new list (the caller owns it) of the decimal numbers of the serial ports
// present, ascending, as the platform's probe reports them.
TStringList* ListComPorts();

// 0 when the KNX address is valid, 1 when not. IsGroup selects the group form
// (main/sub or main/middle/sub) rather than the individual one
// (area.line.device, or high.low with the address's two bytes); AllowZero
// accepts the individual address 0.0.0 (0.0).
int CheckKnxAddress(const QString& text, bool IsGroup, bool AllowZero);

// True when the text holds no ".".
bool HasNoDot(const QString& text);

// The system's decimal separator when it is "," or "."; "," otherwise.
QChar GetDecimalSeparator();

// Reads a decimal fraction after turning the other separator into
// `separator`. On failure value := 1.0 and the result is false. No digit
// grouping, infinities, NaN or hexadecimal floats; a value beyond the 32-bit
// float range does not read.
bool TextToSingle(const QString& text, QChar separator, float& value);
