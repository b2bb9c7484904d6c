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

} // namespace Interrupt
