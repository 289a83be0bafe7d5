#pragma once
// Builds a unit picture set's 384 frames from the "Unit Pics" bitmap tree.
#include <string>

// "fighter_", "archer_", "mage_" or "cleric_": the folders a set compiles from.
const char* unitclassprefix(int set);
// The number in a frame's file name: walk starts at 0007 and wraps to 0001.
int unitfilenumber(int action, int frame);
// "Unit Pics\<set>\" when set 0..11 has a tree of its own there (a folder
// with anything in it), so one set can look unlike the others that share
// its class's tree; else "Unit Pics\".
std::string unitpicsfolder(int set);
// "<folder><class><action>\<facing><NNNN>.bmp" for facing index 0..7.
std::string unitbitmapname(int set, int action, int facingindex, int frame, const std::string& folder = "Unit Pics\\");
// How far a walk frame's box moves from its base place along the step.
void unitboxshift(int action, int facingindex, int frame, int* dx, int* dy);

// Compiles set s into new buffers and puts them in place only when every
// frame compiled; a missing bitmap or an oversized frame shows an OK box
// naming it and leaves the set as it was. True when the set was replaced.
bool compileunitpics(int s);
