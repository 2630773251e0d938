// The entry sequence: application, title, main window, message loop.
#include "app/program.h"

#include "app/unit1.h"
#include "framework/application.h"

namespace unit1 {
Tmain* main = nullptr;
}  // namespace unit1

int RunProgram(const std::function<void(int status)>& atEnd) {
  StartApplicationObjects();
  int status = 0;
  try {
    Application->Setup();
    Application->ChangeTitle("Orvanta");
    Application->MakeForm(unit1::main);
    Application->RunLoop();
  } catch (...) {
    status = LastChanceReport();
  }
  if (atEnd) atEnd(status);
  StopApplicationObjects();
  unit1::main = nullptr;
  return status;
}
