#pragma once
// What every command of tamvek-cli does alike with what it writes: a message
// to standard error, and standard output checked once the command wrote it,
// so that output that could not be written (a full disk, a closed pipe) is an
// error with a non-zero exit, never a quiet success.

#include <ostream>
#include <string>

namespace tamvek::cli {

// Writes "tamvek-cli: MESSAGE" to standard error, its control bytes escaped
// (a message names files, and a name may hold any byte), and returns `status`.
int fail(const std::string& message, int status);

// From now on std::cout writes through a buffer of its own, which remembers
// why a write failed.
void checkStandardOutput();

// exitOk when everything written to std::cout arrived, else exitCannotWrite
// with the reason on standard error.
int finishOutput();

}  // namespace tamvek::cli
