// The idle wait that ends every program: the process ends when the user closes the console.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

void Idle_For_Ever()
{
    for (;;) Os_Sleep(5000);
}
