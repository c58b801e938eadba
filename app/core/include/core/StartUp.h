#pragma once
// Settings the program's entry point fixes once, before any window exists,
// and that hold for the whole run.

// Replaces the program's format settings: the defaults with date separator
// "-", short date "dd-mm-yyyy", decimal separator ".", thousands separator
// ",", time separator ":", long time "HH:mm:ss" and short time "HH:mm".
void SetupFormatSettings();

// Masks all floating-point exceptions (invalid operation, denormal operand,
// division by zero, overflow, underflow, precision): invalid or overflowing
// arithmetic yields NaN or an infinity instead of a signal.
void MaskFloatingPointExceptions();
