// libFuzzer target: every input is one plot file for a fresh interpreter.
#include <cstddef>
#include <cstdint>

#include "engine/plt_interpreter.h"
#include "tests/fuzz/interpreter_fuzz_steps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPltInterpreter interpreter;
    fuzz_steps::PrepareForSlot(interpreter);
    if (!fuzz_steps::ParseBytes(interpreter, {data, size})) __builtin_trap();
    fuzz_steps::TurnBothWays(interpreter);
    if (!fuzz_steps::IsSane(interpreter.m_drawing)) __builtin_trap();
    return 0;
}
