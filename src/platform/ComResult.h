#pragma once
// Result codes of the platform interfaces called in their original form
// (theme services, drag and drop).

#include <cstdint>

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_HANDLE = HRESULT(0x80070006u);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
