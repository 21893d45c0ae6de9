// The same hand-written add-on as generated_calls.c, compiled as C++17.
#include "generated_calls.c"
