// The shared drill state.
#include "drill/drill_state.h"

WordRecord* g_currentRecord = nullptr;
int g_entryMode = 0;
int g_displayOnly = -1;
int g_selectionTag = 0;
