#pragma once

// Aborts the job being started, handed to the worker or running on it.
//
// While a job is being started (BeginJobStart until the hand-over), the abort
// only marks that job aborted: the hand-over then refuses it, and neither the
// worker's abort flag nor the repeat flag is touched, so the idle worker does
// nothing. The job start can show a message box in that time, under which the
// operator's commands and the window's close run.
//
// Otherwise: plot slot 0's current swath := its swath count, so that no
// further swath is built; repeats disabled, so that the job list holds the
// row; then the abort flag, which ends every wait of the job. An abort that
// comes after the job's hand-over (HandOverJob) always counts: the worker
// ends the job without sending more, whether it has taken it yet or not,
// unless the job's outcome is settled already (SettleJobOutcome): then it
// changes nothing.
//
// Called on the user-interface thread by the job list's Abort and the job
// list's stop (the main frame's Exit and Close); needs the document
// published.
void AbortJob();

// The job start, on the user-interface thread: opens the start of a job
// when its row reads "Plotting".
void BeginJobStart();

// Closes the start of a job, at its hand-over or when it fails; true when
// the job was aborted since BeginJobStart. Harmless when no start is open
// (false then).
bool EndJobStart();

// Aborts the job being started, if there is one, and nothing else: the job
// list's stop, which may come while the job start shows a message box.
void AbortJobStart();

// Called by the worker once the last packet is committed and the plotter has
// reported the job done: the outcome the repeat flag gives now is final, so
// that an abort during the job end (its reset takes a while, and the row
// still reads "Plotting") does not hold a job that has been printed.
void SettleJobOutcome();

// Opens the outcome of a new job to aborts again; part of the hand-over.
void OpenJobOutcome();
