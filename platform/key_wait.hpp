#pragma once
// The final key wait: one key read from the console itself, not from
// standard input, without echo and without waiting for Enter.

// Blocks until a key is pressed at the console. Returns at once when no
// console can be opened or read (input piped, no controlling terminal).
// Flushes standard output once the console is ready for the key, so that
// the prompt shows only when a key can be taken: callers leave the prompt
// to it.
void wait_for_key();
