#include "tools/gdiscript/ShapeCommands.h"

#include <string>
#include <vector>

#include "framework/platform/Shapes.h"

namespace tovu::gdiscript {
namespace {

// The oracle stops a script at the first drawing call that answers FALSE; so does the replay.
void Check(win::BOOL ok, const char* call) {
  if (!ok) Fail(std::string(call) + " failed");
}

}  // namespace

void CmdRect(TScriptEngine& engine, TScriptArgs& args) {
  const win::RECT b = args.Box();
  args.Done();
  Check(win::Rectangle(engine.Dc(), b.left, b.top, b.right, b.bottom), "Rectangle");
}

void CmdRoundRect(TScriptEngine& engine, TScriptArgs& args) {
  const win::RECT b = args.Box();
  const int w = args.Integer("W");
  const int h = args.Integer("H");
  args.Done();
  Check(win::RoundRect(engine.Dc(), b.left, b.top, b.right, b.bottom, w, h), "RoundRect");
}

void CmdEllipse(TScriptEngine& engine, TScriptArgs& args) {
  const win::RECT b = args.Box();
  args.Done();
  Check(win::Ellipse(engine.Dc(), b.left, b.top, b.right, b.bottom), "Ellipse");
}

void CmdMoveTo(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X");
  const int y = args.Integer("Y");
  args.Done();
  Check(win::MoveToEx(engine.Dc(), x, y, nullptr), "MoveToEx");
}

void CmdLineTo(TScriptEngine& engine, TScriptArgs& args) {
  const int x = args.Integer("X");
  const int y = args.Integer("Y");
  args.Done();
  Check(win::LineTo(engine.Dc(), x, y), "LineTo");
}

void CmdPolyline(TScriptEngine& engine, TScriptArgs& args) {
  const std::vector<win::POINT> points = args.Points();
  Check(win::Polyline(engine.Dc(), points.data(), int(points.size())), "Polyline");
}

void CmdPolygon(TScriptEngine& engine, TScriptArgs& args) {
  const std::vector<win::POINT> points = args.Points();
  Check(win::Polygon(engine.Dc(), points.data(), int(points.size())), "Polygon");
}

}  // namespace tovu::gdiscript
