// Value types shared by the control classes: alignment and anchors, control style and state
// flags, mouse buttons and shift state, cursors, drag settings, modal results and the events.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Color.h"
#include "framework/EnumInfo.h"
#include "framework/Events.h"
#include "framework/Set.h"

namespace fw {

TOVU_ENUM(TAlign, std::uint8_t, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)

TOVU_ENUM(TAnchorKind, std::uint8_t, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors AnchorAlign[] = {
    {akLeft, akTop},                     // alNone
    {akLeft, akTop, akRight},            // alTop
    {akLeft, akRight, akBottom},         // alBottom
    {akLeft, akTop, akBottom},           // alLeft
    {akRight, akTop, akBottom},          // alRight
    {akLeft, akTop, akRight, akBottom},  // alClient
    {akLeft, akTop},                     // alCustom
};

// What a control class is: set by its constructor, consulted by the framework's handling.
TOVU_ENUM(TControlStyleFlag, std::uint8_t, csAcceptsControls, csCaptureMouse, csDesignInteractive,
          csClickEvents, csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth,
          csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage,
          csReflector, csActionClient, csMenuEvents)
using TControlStyle = TSet<TControlStyleFlag>;

// What a control is doing at the moment.
TOVU_ENUM(TControlStateFlag, std::uint8_t, csLButtonDown, csClicked, csPalette, csReadingState,
          csAlignmentNeeded, csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle,
          csDocking)
using TControlState = TSet<TControlStateFlag>;

TOVU_ENUM(TMouseButton, std::uint8_t, mbLeft, mbRight, mbMiddle)
TOVU_ENUM(TShiftStateFlag, std::uint8_t, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle,
          ssDouble)
using TShiftState = TSet<TShiftStateFlag>;

// Frames of forms; controls with a border use the first two values.
TOVU_ENUM(TFormBorderStyle, std::uint8_t, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
          bsSizeToolWin)
using TBorderStyle = TFormBorderStyle;

TOVU_ENUM(TDragMode, std::uint8_t, dmManual, dmAutomatic)
// Reading order and alignment of text for right-to-left scripts.
TOVU_ENUM(TBiDiMode, std::uint8_t, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign,
          bdRightToLeftReadingOnly)
TOVU_ENUM(TDragKind, std::uint8_t, dkDrag, dkDock)

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHandPoint = -21;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

class TControl;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

}  // namespace fw
