#pragma once
// Whether the process has been asked to end (an interrupt, a kill, a hang-up): set from a signal
// handler, looked at by long work so that it stops within moments rather than running on.

bool EndRequested();
// Safe to call from a signal handler.
void RequestEnd();
