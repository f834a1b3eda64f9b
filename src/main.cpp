// Program entry of the game: no arguments are used.
#include "shell/game.h"

int main() { return RunProgram(); }
