#pragma once
// Answers the program's data directory: "vorn" in the user's XDG data
// location (normally ~/.local/share/vorn), created when missing.
#include <string>

class clsSystemFolder {
 public:
  // The data directory, ending in "/". Raises run-time error 76 when it
  // cannot be found or created.
  std::string MyDirPath();

 private:
  long result_ = 0;  // outcome of the last look-up (0 = fine)
};
