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

struct TBox {
  int Left;
  int Top;
  int Right;
  int Bottom;
};

TBox ReadBox(TScriptArgs& args) {
  TBox box{};
  box.Left = args.Integer("L");
  box.Top = args.Integer("T");
  box.Right = args.Integer("R");
  box.Bottom = args.Integer("B");
  return box;
}

}  // namespace

void CmdRect(TScriptEngine& engine, TScriptArgs& args) {
  const TBox b = ReadBox(args);
  args.Done();
  Check(win::Rectangle(engine.Dc(), b.Left, b.Top, b.Right, b.Bottom), "Rectangle");
}

void CmdRoundRect(TScriptEngine& engine, TScriptArgs& args) {
  const TBox b = ReadBox(args);
  const int w = args.Integer("W");
  const int h = args.Integer("H");
  args.Done();
  Check(win::RoundRect(engine.Dc(), b.Left, b.Top, b.Right, b.Bottom, w, h), "RoundRect");
}

void CmdEllipse(TScriptEngine& engine, TScriptArgs& args) {
  const TBox b = ReadBox(args);
  args.Done();
  Check(win::Ellipse(engine.Dc(), b.Left, b.Top, b.Right, b.Bottom), "Ellipse");
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
