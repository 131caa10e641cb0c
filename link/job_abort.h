#pragma once

// Aborts the job handed to the worker or running on it: plot slot 0's current
// swath := its swath count, so that no further swath is built; repeats
// disabled, so that the job list holds the row; then the abort flag, which
// ends every wait of the job. An abort that comes after the job's hand-over
// (HandOverJob) always counts: the worker ends the job without sending more,
// whether it has taken it yet or not, unless the job's outcome is settled
// already (SettleJobOutcome): then it changes nothing. Called on the
// user-interface thread by the job list's Abort and the main frame's Exit
// and Close; needs the document published.
void AbortJob();

// Called by the worker once the last packet is committed and the plotter has
// reported the job done: the outcome the repeat flag gives now is final, so
// that an abort during the job end (its reset takes a while, and the row
// still reads "Plotting") does not hold a job that has been printed.
void SettleJobOutcome();

// Opens the outcome of a new job to aborts again; part of the hand-over.
void OpenJobOutcome();
