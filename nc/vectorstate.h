#pragma once

// Code that uses the 256- or 512-bit vector registers and returns without clearing their upper
// halves (some GUI toolkit and GL driver paths do) leaves the processor in a state where every
// scalar SSE instruction of ours carries a false dependency on those halves: the arc and number
// arithmetic of a job then ran at about half speed on the machines measured. Clearing the upper
// halves is always safe for this code, which never keeps values there, and costs a few cycles;
// call it on entry and after every callback into foreign code.
void clearwidevectorstate() noexcept;
