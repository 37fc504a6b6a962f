#pragma once

// For tests that run the built program as a process: when the environment variable
// PENDWICK_TEST_SCRIPT names a file, its lines are played against the main window after
// start-up, one after the other. Without the variable nothing happens. The lines:
//   recover yes|no     answers the recovery question at start (yes recovers all)
//   new                adds an untitled document
//   open PATH          opens a file as File > Open does
//   type TEXT          types TEXT into the active document ("\n" is Enter, "\\" a backslash)
//   wait MSECS         waits before the next line
//   report PATH        writes every tab (path, modified, caret, text) to PATH as JSON
class TfMain;

void RunTestScript(TfMain &main);
