// A per-step trace of the launcher's start-up, for finding where its time goes before the window
// shows (bench/launch/run-trace reads it). With the environment variable LAUNCHER_STARTUP_TRACE
// naming a file, each step appends one line to it: the milliseconds since the process was
// created, then the step's name. Without the variable a step costs one test of a cached flag.
#pragma once

void StartupTrace(const char* step);
