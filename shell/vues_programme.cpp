// The program's views and its search dialog, plugged into the client area at start-up. Each
// part of the program adds its own lines here.
#include "shell/vues_programme.h"

#include "shell/client_mdi.h"

namespace velquor {

void EnregistrerVuesProgramme(TVelquorMDIClient& client) {
  (void)client;
}

}  // namespace velquor
