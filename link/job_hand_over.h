#pragma once

// Hands the job prepared in plot slot 0 to the worker thread. The job start
// calls it on the user-interface thread once PreparePlotSlot(0) has
// succeeded, in place of PrepareSwathBuffers and SignalJobReady, with the
// busy flag set. It closes the job's start (EndJobStart); a job aborted
// during its start, or one started with no document published, is refused:
// false, and nothing of it reaches the worker. Otherwise:
// - the job takes its own copy of the configuration (TakeJobConfig), so that
//   settings changed during the job do not reach it, the joint correction
//   excepted;
// - its swath buffers are set up (PrepareSwathBuffers; a failure shows later
//   as packets that cannot be built);
// - it starts with repeats enabled, no abort pending and its outcome open:
//   an abort given after the hand-over (AbortJob) reaches it until the
//   worker settles the outcome;
// - then it is signalled ready (SignalJobReady); true.
bool HandOverJob();
