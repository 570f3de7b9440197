#pragma once
// How the system reports critical errors to the program.

// Critical errors of the system (a drive without media, a file on a
// removed disk) come back to the program as errors instead of opening the
// system's own boxes, which would block the program until answered.
void FailCriticalErrorsQuietly();
