// Fonts and text on Windows: the real fonts and the text calls of gdi32 and user32.
#include "framework/platform/win32/WinApi.h"

namespace win {

using native::Ours;
using native::Real;

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  return Ours(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                            strikeOut, charSet, outPrecision, clipPrecision, quality,
                            pitchAndFamily, faceName));
}
HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  return Ours(::CreateFontIndirectA(Real(logFont)));
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  return ::TextOutA(Real(dc), x, y, text, count);
}
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const int* dx) {
  return ::ExtTextOutA(Real(dc), x, y, options, Real(rect), text, count, dx);
}
int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  return ::DrawTextA(Real(dc), text, count, Real(rect), format);
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
  return ::GetTextExtentPoint32A(Real(dc), text, count, Real(size));
}
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  return ::GetTextMetricsA(Real(dc), Real(metrics));
}
int GetTextFaceA(HDC dc, int count, LPSTR faceName) {
  return ::GetTextFaceA(Real(dc), count, faceName);
}

UINT SetTextAlign(HDC dc, UINT align) {
  return ::SetTextAlign(Real(dc), align);
}
UINT GetTextAlign(HDC dc) {
  return ::GetTextAlign(Real(dc));
}
int SetTextCharacterExtra(HDC dc, int extra) {
  return ::SetTextCharacterExtra(Real(dc), extra);
}
int GetTextCharacterExtra(HDC dc) {
  return ::GetTextCharacterExtra(Real(dc));
}

}  // namespace win
