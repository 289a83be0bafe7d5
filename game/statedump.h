#pragma once
// The world's moving parts as text, one unit a line, for scripted runs that
// check what the units did: "npc SLOT player P type T at X Y state S health H
// magic M gold G frozen F facing A frame R hidden D", then the event log
// oldest first, "event TEXT" a line.
#include <string>

void writestatedump(std::string* out);
