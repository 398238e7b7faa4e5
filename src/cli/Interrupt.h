#pragma once
// Ctrl-C (SIGINT) and SIGTERM end a long command cleanly. The first signal only
// sets a flag, which the work hears between its blocks (tester::Hooks::cancel
// and the like); the command then drops what it had not finished writing,
// says what was not written and ends with 128 + the signal (130, 143). A
// second signal, for a user who will not wait, removes the unfinished files
// and ends the program at once.

#include <atomic>
#include <string>

namespace tamvek::cli::interrupt {

// Starts listening for the two signals.
void listen();
// Set once a signal came.
const std::atomic<bool>& flag();
bool heard();
// The exit status after the signal heard: 130 for Ctrl-C, 143 for SIGTERM.
int exitStatus();
// "tamvek-cli: abgebrochen (Ctrl-C): WHAT", for standard error.
std::string message(const std::string& what);

}  // namespace tamvek::cli::interrupt
