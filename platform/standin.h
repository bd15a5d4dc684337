// Controls of the Linux stand-in for the platform layer, for native tests.
#pragma once

#include <map>
#include <string>

// The in-memory registry: key path -> (value name, "" for the unnamed value -> text).
using StandinRegistry = std::map<std::string, std::map<std::string, std::string>>;

StandinRegistry& StandinRegistryData();

// Failure switches; each makes every call of its kind fail while set.
struct StandinFailures {
    bool open = false;
    bool create = false;
    bool read = false;
    bool write = false;
    // File writes: fail after this many bytes have been written to files opened for
    // writing (negative: never). Counts across files until reset.
    long writeBytesLeft = -1;
    bool replace = false;
    bool programPath = false;
};

StandinFailures& StandinFail();

// Clears the registry and every failure switch.
void StandinReset();

// The program path the stand-in reports.
void StandinSetProgramPath(const std::string& path);
