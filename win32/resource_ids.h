#pragma once

// The program's resources, shared by the resource script and the code.
#define TARVEX_ICON 1
