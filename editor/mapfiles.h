#pragma once
// The map editor's map files: which map is open, and Load Map, Save Map As
// and New Map.
#include <string>

// The open map's main file ("maps\\forest.dat"); empty for a new map that
// has no name yet.
extern std::string editmapname;

// The map editor opens this map first: the last one it had open, else the
// map "Run Demo" plays.
const std::string& firsteditmap();
// The open map's name, "(new map)" when it has none.
std::string editmaptitle();
// A new map without a name, or a change since the map was loaded or saved.
bool editorunsaved();
// The line the editor shows: the map's name, and whether it has changes.
std::string editortitleline();

// Each asks first whether to save unsaved changes (a failed save stops it).
// Load: through the file dialog on maps\*.dat; false when nothing was
// loaded (the map in memory is then as it was).
bool editorloadmap();
// New: a blank map without a name.
bool editornewmap();
// Save As: asks for a name (refusing one that is not a plain name, and
// asking before an existing map is replaced) and saves the map under it.
// The history ends there, as at a load.
bool editorsaveas();
// The map after a load or a new one: every grid the editor does not keep
// cleared, the history started afresh.
void editormapopened(const std::string& name);
// A name chosen in the file dialog as the game path of a map in the maps
// folder (either tree); empty when the file lies elsewhere.
std::string chosenmappath(const std::string& hostpath);
