#pragma once

// A limit on the size of the files the process writes (`ulimit -f`, a quota) stops a write
// with the signal SIGXFSZ, which ends the program in the middle of it. main() calls this first:
// with the signal ignored, the write fails with an error (EFBIG) instead, and the program
// reports it as it reports a full disk, the book untouched.
void ignoreFileSizeSignal();
