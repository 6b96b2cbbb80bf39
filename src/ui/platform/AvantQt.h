#pragma once
// What the platform needs before Qt starts. On Windows, Qt's regular expressions run without
// compiled code: the stack that code keeps for each thread is freed as a thread ends, which the
// MinGW runtime does after the library's own cleanup, and the program crashed now and then as
// its start-up threads (the journal's, the preloading's) ended. Their patterns are short.

void PreparerAvantQt();
