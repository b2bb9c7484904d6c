#include "Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_signal{0};
std::atomic<int> g_holds{0};
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace

namespace Interrupt {

void request(int signalNumber)
{
    g_signal.store(signalNumber);
}

bool requested()
{
    return g_signal.load() != 0;
}

void endAsAsked()
{
    if (const int number = g_signal.load()) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
}

Hold::Hold()
{
    ++g_holds;
}

Hold::~Hold()
{
    --g_holds;
}

bool held()
{
    return g_holds.load() > 0;
}

} // namespace Interrupt
