#pragma once
// Registers every settings class of the string grid with the class registry,
// so component streams and form layouts find them by name. Safe to call
// more than once.

void RegisterGridSettingsClasses();
