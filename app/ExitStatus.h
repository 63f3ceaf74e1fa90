#pragma once
// The program's exit statuses, one list for every mode. The numbers above 2 follow BSD's
// sysexits.h, so scripts can tell a usage error from an unwritable output.

enum ExitStatus : int {
    kExitOk = 0,
    kFailedStartExitCode = 1,  // the window could not start
    kUnopenableExitCode = 2,   // the charge file could not be opened
    kUsageExitCode = 64,       // bad arguments
    kNoDisplayExitCode = 69,   // the window was asked for without a display
    kCannotWriteExitCode = 73, // --render could not write its PNG
    kOutputFailedExitCode = 74, // standard output could not be written
    kUnreachableInstanceExitCode = 75 // another instance holds the lock but does not answer
};
