#pragma once
// The floating-point exception masks of the calling thread.

namespace os {

// Masks all floating-point exceptions (invalid operation, denormal operand,
// division by zero, overflow, underflow, precision): invalid or overflowing
// arithmetic then yields NaN or an infinity instead of raising a signal.
// Threads started afterwards inherit the masks.
void MaskFloatingPointExceptions();

// True when no floating-point exception is unmasked.
bool FloatingPointExceptionsMasked();

} // namespace os
