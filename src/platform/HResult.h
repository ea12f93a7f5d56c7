#pragma once
// Result codes of the interface-style calls (theme drawing, drag and drop):
// 0 and positive values succeed, negative values fail.

#include <cstdint>

using HRESULT = int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
inline constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);

inline constexpr bool Succeeded(HRESULT r) { return r >= 0; }
