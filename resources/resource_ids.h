#pragma once
// Shared by the resource script and the program.
#define IDI_MAIN 1
