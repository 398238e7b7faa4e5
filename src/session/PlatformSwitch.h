#pragma once
// The platform a session's game talks to, which can be handed to another
// while the game goes on: a saved session replayed in the window answers its
// questions from the script, and the user answers again afterwards.

#include "platform/ForwardingPlatform.h"

namespace tamvek::session {

class PlatformSwitch : public platform::ForwardingPlatform {
  public:
    using ForwardingPlatform::ForwardingPlatform;
    void use(platform::Platform& target) { retarget(target); }
    platform::Platform& current() const { return target(); }
};

}  // namespace tamvek::session
