// Runs velmora-shot in a folder of its own, with or without the sample database, and reads
// back its state file and exit status: the whole program as a person would use it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/shot/json.h"

namespace e2etest {

struct ShotResult {
  int status = -1;               // the process's exit status
  shot::Json state;              // the --state file written at the end (null when none was written)
  std::string errors;            // what it wrote to standard error
  std::filesystem::path folder;  // where it ran; holds the files its script wrote
  std::shared_ptr<void> removal;  // removes the folder when the last copy of the result goes
};

struct ShotOptions {
  bool database = true;  // copy the sample tarsilo.mdb into the folder
  std::filesystem::path databaseFile;  // copy this file as tarsilo.mdb instead of the sample
  std::string screen;    // "WxH", or the default
  bool png = false;      // also write folder/screen.png
};

// Writes the script, runs velmora-shot on it and collects the result. The folder is a fresh
// temporary one per run, there for the caller to inspect while it holds the result.
ShotResult RunShot(const std::string& script, const ShotOptions& options = {});

// A state file that the script wrote into the run's folder (`state FILE`).
shot::Json ReadState(const ShotResult& run, const std::string& file);

// The state entry of the main form's component with that name (null when absent).
const shot::Json& Component(const shot::Json& state, const std::string& name);

// The entry of the top-level window with that caption (null when absent).
const shot::Json& Window(const shot::Json& state, const std::string& caption);

}  // namespace e2etest
