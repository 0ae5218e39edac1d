#pragma once
// IDirectInput8A/W: enumerates and creates the scripted game controllers.

namespace dinput_standin {

// Returns a new object holding one reference.
template <class Api>
typename Api::DirectInput* new_direct_input();

}  // namespace dinput_standin
