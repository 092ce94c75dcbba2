// TSizeConstraints: the smallest and largest width and height a control may take, stored with
// the control as nested properties (Constraints.MinWidth ...); 0 means no limit.
#pragma once

#include "framework/Events.h"
#include "framework/Persistent.h"

namespace fw {

class TSizeConstraints : public TPersistent {
  TOVU_CLASS(TSizeConstraints, TPersistent)

 public:
  // Negative limits are taken as 0.
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value) { Change(FMaxHeight, Value); }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { Change(FMaxWidth, Value); }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value) { Change(FMinHeight, Value); }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { Change(FMinWidth, Value); }

  // A width or height held within the limits; a minimum above the maximum wins.
  int ConstrainWidth(int Width) const { return Constrain(Width, FMinWidth, FMaxWidth); }
  int ConstrainHeight(int Height) const { return Constrain(Height, FMinHeight, FMaxHeight); }

  void Assign(const TPersistent* Source) override;

  // Called after a limit changed.
  TNotifyEvent OnChange;

 private:
  static int Constrain(int Value, int Min, int Max);
  void Change(int& Field, int Value);

  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

}  // namespace fw
