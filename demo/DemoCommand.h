#pragma once

#include "DemoOptions.h"

class QWidget;

// Runs the one operation of the command line over the host widget, prints its completion as
// one JSON line and returns the exit status (0 success, 1 failure, 3 misuse).
int runDemoCommand(const DemoOptions& options, QWidget* host);
