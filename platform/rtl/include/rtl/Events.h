#pragma once
// The callback types shared by the whole program. An event is a
// std::function member named On<Something>; Sender comes first and
// parameters the handler may change are references.

#include "rtl/Object.h"
#include "rtl/TypeInfo.h"

#include <functional>

// Keyboard and mouse-button state passed with key and mouse events. The
// horizontal-wheel flag of the platform is left out: no caller reads it.
RTL_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen,
         ssCommand)
using TShiftState = TSet<TShiftStateItem>;
RTL_SET_INFO(TShiftState)

RTL_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;

RTL_NAMED_TYPE_INFO(TNotifyEvent, TNotifyEvent)
RTL_NAMED_TYPE_INFO(TKeyEvent, TKeyEvent)
RTL_NAMED_TYPE_INFO(TKeyPressEvent, TKeyPressEvent)
RTL_NAMED_TYPE_INFO(TMouseEvent, TMouseEvent)
RTL_NAMED_TYPE_INFO(TMouseMoveEvent, TMouseMoveEvent)
