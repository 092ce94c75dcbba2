// The platform's text calls on our software GDI: creating fonts, measuring and drawing text
// (TextOutA, ExtTextOutA, DrawTextA) with the context's font, colours, background mode and clip.
#pragma once

#include "framework/platform/GdiTypes.h"
#include "framework/platform/TextTypes.h"

namespace win {

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
HFONT CreateFontIndirectA(const LOGFONTA* logFont);

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
// `dx`, when given, holds one advance per byte of the text; a multibyte character advances by
// the sum of its bytes' entries.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const int* dx);
int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format);

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
int GetTextFaceA(HDC dc, int count, LPSTR faceName);

UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);

}  // namespace win
