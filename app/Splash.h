// The splash window: the application's main window. It shows the picture for five ticks of its timer,
// then hands over to the main window; closing it ends the program.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Timer.h"

namespace zv {

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    const char* ClassName() const override { return "TForm1"; }

    TImage* Image1;
    TTimer* Timer1;

    void FormCreate(TObject* sender);
    void Timer1Timer(TObject* sender);
};

extern TForm1* Form1;
// Ticks of the splash timer since creation; it keeps counting after the hand-over.
extern int SplashTicks;

} // namespace zv
