#pragma once
// The editor's entry: settings, main window, command line, event loop, shutdown.

// Runs the editor; the process result (-1 when the main window could not be made).
int RunEditor(int argc, char** argv);
