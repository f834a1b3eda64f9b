// The words the player reads, before any catalogue is loaded: the source text itself.
#include "shell/language.h"

const char* Tr(const char* msgid) { return msgid; }
