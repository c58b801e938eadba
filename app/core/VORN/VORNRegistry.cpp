#include "VORN/VORNRegistry.h"

TVORNRegistry::~TVORNRegistry() = default;
