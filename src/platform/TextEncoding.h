#pragma once
// The text encodings files are read and written in. "Ansi" is
// Windows-1252 and "Oem" code page 850 (Linux has no system code page).

enum class TTextEncoding {
    Ansi,        // Windows-1252, no BOM
    Oem,         // code page 850, no BOM
    Utf8,        // UTF-8 without BOM
    Utf8Bom,     // UTF-8 with BOM
    Utf16Le,     // UTF-16 little-endian without BOM
    Utf16LeBom,  // UTF-16 little-endian with BOM
    Utf16BeBom,  // UTF-16 big-endian with BOM (read only)
};
