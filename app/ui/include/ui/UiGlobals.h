#pragma once
// What every window of the program shares: the data module and the scale
// factor of the screen.

#include "rtl/Types.h"

#include <memory>

class TdmDataObjects;
class TLabel;
class TCustomForm;

// The program's one data module; the program block creates it. Windows reach
// the databases and the current project through it.
extern TdmDataObjects* dmDataObjects;

// The width of a label designed 100 pixels wide as the screen shows it,
// divided by 100; 1.0 until the main window measures it. Windows multiply
// designed column widths by it.
extern Double ScaleFactor;
// Sets ScaleFactor from the hidden 100-pixel label.
void MeasureScaleFactor(const TLabel& Label100);
// A designed width in pixels at the current scale, rounded.
Integer ScaledWidth(Integer DesignedWidth);

// Every window turns its automatic scroll bars off when it is activated.
void AutoScrollOff(TCustomForm& Form);

// A window made for one modal showing, freed however the showing ends.
struct TFreeForm {
    void operator()(TCustomForm* Form) const;
};
template <class T>
using TOwnedForm = std::unique_ptr<T, TFreeForm>;
