// The handlers of the replay engine's commands, one per command of the oracle's language.
// Drawing modules add their handlers here and point their line of the table at them.
#pragma once

#include "tools/gdiscript/ScriptEngine.h"

namespace tovu::gdiscript {

// For commands whose drawing call does not exist yet: fails with a clear message.
void CmdNotSupportedYet(TScriptEngine& engine, TScriptArgs& args);

void CmdCanvas(TScriptEngine& engine, TScriptArgs& args);
void CmdPen(TScriptEngine& engine, TScriptArgs& args);
void CmdExtPen(TScriptEngine& engine, TScriptArgs& args);
void CmdBrush(TScriptEngine& engine, TScriptArgs& args);
void CmdBrushOrg(TScriptEngine& engine, TScriptArgs& args);
void CmdRop2(TScriptEngine& engine, TScriptArgs& args);
void CmdBkMode(TScriptEngine& engine, TScriptArgs& args);
void CmdBkColor(TScriptEngine& engine, TScriptArgs& args);
void CmdTextColor(TScriptEngine& engine, TScriptArgs& args);
void CmdPolyFillMode(TScriptEngine& engine, TScriptArgs& args);
void CmdStretchMode(TScriptEngine& engine, TScriptArgs& args);
void CmdSetPixel(TScriptEngine& engine, TScriptArgs& args);
void CmdFillRect(TScriptEngine& engine, TScriptArgs& args);
void CmdFrameRect(TScriptEngine& engine, TScriptArgs& args);
void CmdPatBlt(TScriptEngine& engine, TScriptArgs& args);
void CmdLoad(TScriptEngine& engine, TScriptArgs& args);
void CmdStretchBlt(TScriptEngine& engine, TScriptArgs& args);
void CmdBitBlt(TScriptEngine& engine, TScriptArgs& args);
void CmdPixel(TScriptEngine& engine, TScriptArgs& args);
void CmdSave(TScriptEngine& engine, TScriptArgs& args);
void CmdSavePpm(TScriptEngine& engine, TScriptArgs& args);

// TextCommands.cpp
void CmdFont(TScriptEngine& engine, TScriptArgs& args);
void CmdText(TScriptEngine& engine, TScriptArgs& args);
void CmdDrawText(TScriptEngine& engine, TScriptArgs& args);
void CmdCalcRect(TScriptEngine& engine, TScriptArgs& args);

}  // namespace tovu::gdiscript
