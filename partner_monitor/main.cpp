// Entry point of partner-monitor: the monitor's loop, which runs until the console is closed.
#include "partner_monitor/partner_monitor.h"

int main(int, char**) { Run_Partner_Monitor(); }
