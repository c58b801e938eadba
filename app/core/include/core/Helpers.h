#pragma once
// The helper routines the whole desktop program shares: start-up settings,
// folders, message routines, text checks, folder removal and program start.

#include "core/Folders.h"
#include "core/RunAndWait.h"
#include "core/StartUp.h"
#include "core/TextChecks.h"
#include "core/UserInteraction.h"
#include "os/FileUtils.h" // DeleteDirectory
