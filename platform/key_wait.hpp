#pragma once
// The final key wait: one key read from the console itself, not from
// standard input, without echo and without waiting for Enter.

// Blocks until a key is pressed at the console. Returns at once when no
// console can be opened or read (input piped, no controlling terminal).
void wait_for_key();
