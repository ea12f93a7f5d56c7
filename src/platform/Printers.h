#pragma once
// The printer's vocabulary that settings objects name before any printing
// is set up.

enum TPrinterOrientation { poPortrait, poLandscape };
