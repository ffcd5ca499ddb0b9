#include "framework/Sound.h"

#include <windows.h>

namespace zv {

namespace {

class TWindowsSoundPort final : public ISoundPort {
public:
    void Beep() override { ::MessageBeep(MB_OK); }
};

TWindowsSoundPort gWindowsSoundPort;
ISoundPort* gSoundPort = &gWindowsSoundPort;

} // namespace

ISoundPort& SoundPort()
{
    return *gSoundPort;
}

void SetSoundPort(ISoundPort* port)
{
    gSoundPort = port ? port : &gWindowsSoundPort;
}

void Beep()
{
    gSoundPort->Beep();
}

} // namespace zv
