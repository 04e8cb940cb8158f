#include "Ascelon.h"

// The game takes no command line and reads no environment or files.
int main() { ascelon_main(); }
