#pragma once

namespace velmorant::platform {

// A closed terminal (SIGHUP) and SIGQUIT end the player as SIGTERM does, so that the programs a
// presentation started are ended with it instead of outliving it.
void EndOnHangUpAndQuitAsOnTerminate();

}  // namespace velmorant::platform
