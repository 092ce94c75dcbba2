// The replay engine's line and figure commands: rect, roundrect, ellipse, moveto, lineto,
// polyline and polygon, each calling the drawing function of the same name.
#pragma once

#include "tools/gdiscript/ScriptEngine.h"

namespace tovu::gdiscript {

void CmdRect(TScriptEngine& engine, TScriptArgs& args);
void CmdRoundRect(TScriptEngine& engine, TScriptArgs& args);
void CmdEllipse(TScriptEngine& engine, TScriptArgs& args);
void CmdMoveTo(TScriptEngine& engine, TScriptArgs& args);
void CmdLineTo(TScriptEngine& engine, TScriptArgs& args);
void CmdPolyline(TScriptEngine& engine, TScriptArgs& args);
void CmdPolygon(TScriptEngine& engine, TScriptArgs& args);

}  // namespace tovu::gdiscript
