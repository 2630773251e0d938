// The data layer's COM start-up: a step of the application's Setup and its exit step.
#pragma once

// The COM initialisation flags to use; -1 (the default) means none configured, which
// initialises the calling thread for the single-threaded apartment model.
extern int CoInitFlags;
// Whether the start-up initialised COM and the exit step must undo it.
bool ComNeedsUninitialize();
// True once the steps are registered; the ADO connection refers to it so that linking the
// connection links its start-up.
extern const bool kComStartupRegistered;
