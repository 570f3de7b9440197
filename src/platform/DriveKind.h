#pragma once
// What kind of drive a drive letter is.

// True when the drive `letter` ("Z") is mapped to another computer's share
// (DRIVE_REMOTE). Asking connects to nothing: the system answers from the
// drive's mapping.
bool DriveIsOnAnotherComputer(char letter);
