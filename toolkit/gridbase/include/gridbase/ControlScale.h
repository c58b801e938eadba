#pragma once
// The scale factor of a control: its form's monitor's pixels per inch over
// 96 when the form scales, else 1.

class TControl;

float GetControlDPIScale(const TControl* Control);
