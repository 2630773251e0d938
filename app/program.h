// The reader's entry sequence, shared by the desktop program and the headless driver.
#pragma once

#include <functional>

class Tmain;

namespace unit1 {
// The one main window, set when the application creates it and cleared when it is freed.
extern Tmain* main;
}  // namespace unit1

// The control library's start-up, the program block (initialise the application object, give it
// its title, create the main window from its stored description, run the message loop until the
// window closes) and the library's shutdown. Pick the screen backend first. Returns the exit
// status: 0 after a normal end, 1 after the last-chance report of an error that escaped the
// program block (a description that cannot be read). `atEnd`, when given, runs with that status
// after the program block and before the shutdown frees the window and the application.
int RunProgram(const std::function<void(int status)>& atEnd = {});
