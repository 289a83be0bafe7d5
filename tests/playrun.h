#pragma once
// The program run headless on a script, in a data tree of its own.
#include <string>
#include <vector>

#include "platform/types.h"

struct run {
    int status;
    std::string log, err;
};

// A copy of the generated data in a fresh directory, so that runs can change it.
std::string freshdata(const std::string& name);
// The same with the demo's party cut down to its leader, for runs whose
// orders must land before a companion's blows do.
std::string freshdataleaderalone(const std::string& name);
struct keptunit {
    int slot;
    i32 x, y;
    i16 health;
};
// The map's units in the test's own tree cut down to the given computer
// units, each moved to its cell with its health, and no unit of the party
// but the leader the mission makes.
void keeponly(const std::string& data, const std::string& map, const std::vector<keptunit>& keep);

// Runs the game on `data` with the script; the log is the run's debug log.
run play(const std::string& data, const std::string& script, const std::string& extra = "");

// The game laid out as an install is, in a fresh directory: <prefix>/bin/vennor
// and its content tree <prefix>/share/vennor, so that a run without --data
// has a shipped tree of its own to leave alone.
std::string freshprefix(const std::string& name);
// Runs <prefix>/bin/vennor without --data from the folder `from`, with HOME
// and XDG_DATA_HOME set to `home` and `home`/data (never the real home).
// The log is the one in the default player's tree.
run playinstalled(const std::string& prefix, const std::string& home, const std::string& from, const std::string& script,
                  const std::string& extra = "");
