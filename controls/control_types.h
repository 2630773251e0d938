// The small types every control shares: modes, styles, states, shift states and event types.
#pragma once

#include <cstdint>

#include "core/alignment.h"
#include "core/event.h"
#include "core/sets.h"

enum class TBiDiMode {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
inline constexpr const char* kBiDiModeNames[] = {
    "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};

inline constexpr const char* kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

// Which window scroll bars a control shows.
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr const char* kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical",
                                                    "ssBoth"};

// The border of a control that has one (a panel's, an edit's): none or a single line.
enum class TBorderStyle { bsNone, bsSingle };
inline constexpr const char* kBorderStyleNames[] = {"bsNone", "bsSingle"};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = SetOf<TShiftStateFlag>;

// What a control class is: fixed per class, set in its constructor.
enum class TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,  // paints every pixel of its rectangle: the parent need not paint below it
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
};
using TControlStyle = SetOf<TControlStyleFlag>;

// What a control is doing at the moment.
enum class TControlStateFlag {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
};
using TControlState = SetOf<TControlStateFlag>;

// The cursors beyond those the stream's identifier table names.
inline constexpr std::int32_t crCross = -3;
inline constexpr std::int32_t crSizeNS = -7;
inline constexpr std::int32_t crSizeWE = -9;
inline constexpr std::int32_t crNo = -18;
inline constexpr std::int32_t crSizeAll = -22;

class TObject;

using TMouseEvent =
    TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
