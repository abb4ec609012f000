#pragma once
// The running balance of a material: what remains after each transaction,
// carried on in the order of entry (the order of the transaction slots, not
// of the dates).
#include "store/Store.h"

// Recomputes RemainVol of transactions from, from + 1, ... up to the first
// unused slot: a purchase adds OrVolNum x Volume, a use takes OrVolNum away,
// from what remained after the transaction before (0 before the first). A
// transaction of neither mode passes the balance on untouched. A remainder
// beyond the 32-bit range raises run-time error 6 and leaves rec as it was.
void CarryRemainFrom(MaterialRec& rec, int from);
