#pragma once
// The program run headless on a script, in a data tree of its own.
#include <string>

struct run {
    int status;
    std::string log, err;
};

// A copy of the generated data in a fresh directory, so that runs can change it.
std::string freshdata(const std::string& name);
// Runs the game on `data` with the script; the log is the run's debug log.
run play(const std::string& data, const std::string& script, const std::string& extra = "");
