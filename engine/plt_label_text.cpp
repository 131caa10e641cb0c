#include "engine/plt_interpreter.h"

// Labels are not drawn yet: their glyph outlines come with the text-label code.
void CPltInterpreter::AddLabelText(const std::string&, int32_t, int32_t, int32_t, const std::string&, float) {}
