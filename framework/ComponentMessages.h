// Messages of the component framework: the message record handed to handlers and the numbers of
// the component notifications (CM_...), which start at 0xB000 above the platform's own messages.
#pragma once

#include "framework/platform/WinTypes.h"

namespace fw {

// One message as dispatched to a handler. Msg is 32 bits wide; the parameters and the result are
// pointer-sized, so a parameter can carry an object (the sender of CM_BUTTONPRESSED).
struct TMessage {
  win::UINT Msg = 0;
  win::WPARAM WParam = 0;
  win::LPARAM LParam = 0;
  win::LRESULT Result = 0;
};

inline constexpr win::UINT CM_BASE = 0xB000;
inline constexpr win::UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr win::UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr win::UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr win::UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr win::UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr win::UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr win::UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr win::UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr win::UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr win::UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr win::UINT CM_HITTEST = CM_BASE + 10;
inline constexpr win::UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr win::UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr win::UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr win::UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr win::UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr win::UINT CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr win::UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr win::UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr win::UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr win::UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr win::UINT CM_MENUCHANGED = CM_BASE + 21;
inline constexpr win::UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr win::UINT CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr win::UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr win::UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr win::UINT CM_ENTER = CM_BASE + 26;
inline constexpr win::UINT CM_EXIT = CM_BASE + 27;
inline constexpr win::UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr win::UINT CM_ICONCHANGED = CM_BASE + 29;
inline constexpr win::UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr win::UINT CM_INVOKEHELP = CM_BASE + 31;
inline constexpr win::UINT CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr win::UINT CM_RELEASE = CM_BASE + 33;
inline constexpr win::UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr win::UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr win::UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr win::UINT CM_WININICHANGE = CM_BASE + 37;
inline constexpr win::UINT CM_FONTCHANGE = CM_BASE + 38;
inline constexpr win::UINT CM_TIMECHANGE = CM_BASE + 39;
inline constexpr win::UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr win::UINT CM_UIACTIVATE = CM_BASE + 41;
inline constexpr win::UINT CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr win::UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr win::UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr win::UINT CM_GETDATALINK = CM_BASE + 45;
inline constexpr win::UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr win::UINT CM_DRAG = CM_BASE + 47;
inline constexpr win::UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr win::UINT CM_DIALOGHANDLE = CM_BASE + 49;
inline constexpr win::UINT CM_ISTOOLCONTROL = CM_BASE + 50;
inline constexpr win::UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr win::UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr win::UINT CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr win::UINT CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr win::UINT CM_CHANGED = CM_BASE + 55;
inline constexpr win::UINT CM_DOCKCLIENT = CM_BASE + 56;
inline constexpr win::UINT CM_UNDOCKCLIENT = CM_BASE + 57;
inline constexpr win::UINT CM_FLOAT = CM_BASE + 58;
inline constexpr win::UINT CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr win::UINT CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr win::UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr win::UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
inline constexpr win::UINT CM_ACTIONUPDATE = CM_BASE + 63;
inline constexpr win::UINT CM_ACTIONEXECUTE = CM_BASE + 64;
inline constexpr win::UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
inline constexpr win::UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
inline constexpr win::UINT CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr win::UINT CM_ISSHORTCUT = CM_BASE + 68;

}  // namespace fw
