// Temporary output files that must not outlive the program: removed when it is
// interrupted (SIGINT, SIGTERM, SIGHUP, SIGPIPE) or aborted (SIGABRT) as well
// as on every ordinary path. The signal handler only unlinks names kept in fixed slots, which is
// async-signal-safe, then lets the signal end the program as it would have.
#pragma once

// Installs the handlers once (a signal the program was started ignoring, as
// under nohup, stays ignored). Returns a slot for `path`, or -1 when every
// slot is taken or the path is too long.
int RegisterTemporary(const char* path);
// The name is no longer ours to remove (renamed into place, or removed).
void ForgetTemporary(int slot);
