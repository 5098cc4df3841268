#include "document/SelectMode.h"

int g_nSelectMode = SM_NONE;
