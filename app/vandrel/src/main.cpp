// Vandrel: the desktop program. It reads no command-line arguments; the
// program block (ui/Program.h) keeps it to one instance, creates its start-up
// windows and runs the message loop.

#include "ui/Program.h"

int main() { return RunVandrel(); }
