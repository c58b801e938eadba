#pragma once
// The desktop program's block: one instance per user, the application's title
// and format settings, the start-up windows and the data module, and the
// message loop.

class TfrmResults;

// The hidden results window the program keeps for the whole run.
extern TfrmResults* frmResults;

// Runs the program; answers its exit code (0 also when another instance was
// raised instead).
int RunVandrel();
