#pragma once
// Lets the user interface breathe during long file routines: installed as
// the store's YieldHook, it processes pending events (timers, painting) at
// most once every 15 ms, so that per-day calls stay cheap. User input waits
// until the routine has finished, so no edit can race a save.
void InstallEventYield();

// The hook itself.
void EventYield();
