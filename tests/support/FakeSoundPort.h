// A sound port that counts beeps instead of making them. Constructing one installs it; destroying it
// puts back whatever port was installed before.
#pragma once

#include "framework/Sound.h"

namespace zv {

class TFakeSoundPort final : public ISoundPort {
public:
    TFakeSoundPort() : fPrevious(&SoundPort()) { SetSoundPort(this); }
    ~TFakeSoundPort() override { SetSoundPort(fPrevious); }
    TFakeSoundPort(const TFakeSoundPort&) = delete;
    TFakeSoundPort& operator=(const TFakeSoundPort&) = delete;

    void Beep() override { ++fBeeps; }
    int Beeps() const { return fBeeps; }
    void Clear() { fBeeps = 0; }

private:
    ISoundPort* fPrevious;
    int fBeeps = 0;
};

} // namespace zv
