#pragma once

// The worker thread's plotter protocol: while no job is ready it pings the
// plotter; a ready job is reset, announced, configured and sent packet by
// packet until the plotter reports it done. Every end of a job, normal or
// not, runs one job-end sequence: the stop test, abort and force-end flags,
// EndJob, the running flag cleared and, last of all, the busy flag. Every
// wait ends on the quit flag too, and once it is set nothing of the job but
// the job end's reset is sent. A job with nothing to send, or whose packet
// cannot be built, ends held.

// The worker thread's procedure; returns 0 once g_quitWorker is seen.
// Needs the document (g_pDocument) published before it starts.
int PlotThreadProc();

// Runs the taken job from the online wait to its end.
void RunJob();

// The common tail of every job end: the job's row updated (FinishJob) once
// the job's data are finished, the swath buffers freed, the job flags
// cleared and the main frame repainted. Always false.
bool EndJob();

// Resets the plotter, lets the job list update the job's row, enables the
// origin edit and shows the job finished. Always false.
bool FinishJob();
