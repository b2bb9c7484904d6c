#pragma once

// A request to stop from a signal that ends a command-line run (Ctrl+C, a
// log-out, a closed terminal). Long work stops at its next step and takes
// back what it made; then the program ends as the signal asks.
namespace Interrupt {

// From the signal handler: only a lock-free store.
void request(int signalNumber);
bool requested();
// Ends the program as the signal that asked to stop would have, when one did.
void endAsAsked();

// Held by work that takes back what it made when asked to stop (an unpack
// writing into a folder), for as long as it runs on another thread: a signal
// that would end the program then only asks the work to stop, and whoever
// holds this ends the program as asked once the work has cleaned up.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;
};
bool held();

} // namespace Interrupt
