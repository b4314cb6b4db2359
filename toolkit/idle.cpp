// The idle wait that ends every program: the process ends when the user closes the console.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

namespace {

constexpr int Idle_Wait = 5000;  // milliseconds

}  // namespace

void Idle_For_Ever()
{
    for (;;) Os_Sleep(Idle_Wait);
}
