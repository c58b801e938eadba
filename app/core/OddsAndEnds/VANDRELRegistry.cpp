#include "OddsAndEnds/VANDRELRegistry.h"

TVANDRELRegistry::~TVANDRELRegistry() = default;
