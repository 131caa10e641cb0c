#pragma once

class CPltInterpreter;
class SwathPlan;

// The interpreter and the swath plan of the plot slot being prepared.
extern CPltInterpreter* g_pCurrentInterpreter;
extern SwathPlan* g_pCurrentSwathPlan;
