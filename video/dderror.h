#pragma once
#include "platform/ddraw.h"

// The symbolic name of a display error code ("Unknown Error" when it has none).
const char* dderrorname(hresult code);
// A box captioned `caption` whose text is the error's name.
void showdderror(const char* caption, hresult code);
void errorbox(const char* caption, const char* text);
// Entries in the table (for tests).
int dderrorcount();
