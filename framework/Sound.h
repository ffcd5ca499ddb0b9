// The default beep, through a port tests can replace to count beeps instead of making noise.
#pragma once

namespace zv {

struct ISoundPort {
    virtual ~ISoundPort() = default;
    virtual void Beep() = 0;
};

// The port in use: the real one (MessageBeep with the default sound) unless another was installed.
ISoundPort& SoundPort();

// Installs a port; nullptr puts the real one back. The caller keeps the port alive while installed.
void SetSoundPort(ISoundPort* port);

// The default beep of the user's sound scheme.
void Beep();

} // namespace zv
