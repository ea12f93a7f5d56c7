#pragma once
// The date type and its conversions.
//
// TDateTime counts days since 30 December 1899; the fraction is the time of
// day, and 0 stands for "no date". Before 1899-12-30 the integral part counts
// the days and the fraction's absolute value is the time of day. Years run
// from 1 to 9999; an impossible date or time raises EConvertError.

#include "Clock.h"
#include "FormatSettings.h"
#include "SysUtils.h"

#include <QString>

inline constexpr int64_t MSecsPerDay = 86400000;

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// A date (whole days) and a time of day to one value, following the sign
// rule for dates before 1899-12-30.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// Out-of-range values (not finite, beyond year 9999) decode as 0 (the
// "no date" 1899-12-30 00:00).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// The same day n months on, clipped to the month's end; the time kept.
TDateTime IncMonth(TDateTime value, int months = 1);
// The same month and day n years on (29 February into a common year
// raises); the time kept.
TDateTime AddYears(TDateTime value, int years);

QString FormatDateTime(const QString& format, TDateTime value);
QString FormatDateTime(const QString& format, TDateTime value, const FormatSettings& fs);
QString DateToStr(TDateTime value);
QString DateToStr(TDateTime value, const FormatSettings& fs);
QString TimeToStr(TDateTime value);
QString TimeToStr(TDateTime value, const FormatSettings& fs);
// The date, then a blank and the long time unless the time is midnight.
QString DateTimeToStr(TDateTime value);
QString DateTimeToStr(TDateTime value, const FormatSettings& fs);

// Up to three numbers separated by the date separator, in the order of the
// short date format; two numbers take the current year; a year of one or two
// digits falls into the window around the current year.
bool TryStrToDate(const QString& text, TDateTime& value);
bool TryStrToDate(const QString& text, TDateTime& value, const FormatSettings& fs);
TDateTime StrToDate(const QString& text);
TDateTime StrToDate(const QString& text, const FormatSettings& fs);
// Hours, optional minutes, seconds and milliseconds, an optional AM/PM.
bool TryStrToTime(const QString& text, TDateTime& value);
bool TryStrToTime(const QString& text, TDateTime& value, const FormatSettings& fs);
TDateTime StrToTime(const QString& text);
TDateTime StrToTime(const QString& text, const FormatSettings& fs);
// A date, optionally followed by a blank and a time; a time alone when the
// text has a time separator and no date separator.
bool TryStrToDateTime(const QString& text, TDateTime& value);
bool TryStrToDateTime(const QString& text, TDateTime& value, const FormatSettings& fs);
TDateTime StrToDateTime(const QString& text);
TDateTime StrToDateTime(const QString& text, const FormatSettings& fs);
