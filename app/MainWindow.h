// The main window: the user picks a time, a date, an action and a target, and arms the choice; a
// timer ticking every second shows the time and fires the armed action when its moment comes.
#pragma once

#include <string>
#include <vector>

#include "app/ArmedMoment.h"
#include "app/SleepWatch.h"
#include "app/SystemAction.h"
#include "controls/flat/FlatRadioButton.h"
#include "controls/styled/glBitBtn.h"
#include "controls/styled/glGroupBox.h"
#include "controls/styled/glHint.h"
#include "controls/styled/glShadow.h"
#include "controls/styled/glStaticText.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"
#include "sysinfo/glSysInfo.h"

namespace zv {

// The author's address, shown by the mail link and used in it.
constexpr const char* kAuthorMail = "zavrin@zavrin.ro";

class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);
    ~TForm2() override;
    const char* ClassName() const override { return "TForm2"; }

    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label2;
    TLabel* Label4;
    TLabel* Label3;
    TLabel* glLabel4;
    TLabel* Label1;
    TglStaticText* glStaticText1;
    TDateTimePicker* DateTimePicker1;
    TDateTimePicker* DateTimePicker2;
    TglBitBtn* glBitBtn1;
    TglBitBtn* glBitBtn2;
    TglBitBtn* glBitBtn3;
    TglBitBtn* glBitBtn4;
    TglBitBtn* glBitBtn5;
    TglGroupBox* glGroupBox1;
    TglGroupBox* group1;
    TFlatRadioButton* rd1;
    TFlatRadioButton* rd2;
    TFlatRadioButton* rd3;
    TFlatRadioButton* radio1;
    TFlatRadioButton* radio2;
    TglShadow* glShadow1;
    TEdit* Edit1;
    TTimer* Timer1;
    TglSysInfo* System;
    TglHint* glHint1;
    TMainMenu* MainMenu1;

    // The choice is armed: shown as armed until "Anuleaza", also once its moment has fired.
    bool Validated = false;
    // The user changed the time picker: the tick no longer moves the pickers.
    bool TimeEdited = false;
    std::string StoredDateText;
    std::string StoredTimeText;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void Timer1Timer(TObject* sender);
    void glBitBtn1Click(TObject* sender);
    void glBitBtn2Click(TObject* sender);
    void glBitBtn3Click(TObject* sender);
    void glBitBtn4Click(TObject* sender);
    void glBitBtn5Click(TObject* sender);
    void DateTimePicker1Change(TObject* sender);
    void Radio1Click(TObject* sender);
    void Radio2Click(TObject* sender);
    void impData1Click(TObject* sender);
    void Display1Click(TObject* sender);
    void Regionale1Click(TObject* sender);
    void Interfata1Click(TObject* sender);
    void SystemInfo1Click(TObject* sender);
    void Versiuni1Click(TObject* sender);
    void Despre1Click(TObject* sender);
    void glStaticText1Click(TObject* sender);

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The user changed the regional formats: every time and date shown is made again in them.
    void RegionalFormatsChanged();
    void Fire();
    // The target and the kinds as the radio buttons and the name field stand now.
    TActionTarget Target() const;
    // At most one of each kind, in the order of the radio buttons; no allocation for so few.
    struct TCheckedKinds {
        TActionKind kind[3];
        int count = 0;
    };
    TCheckedKinds CheckedKinds() const;
    // The armed moment on the wall clock, and whether it has fired.
    TArmedMoment moment_;
    SYSTEMTIME armedAt_{};
    // Whether the machine slept since the tick before.
    TSleepWatch sleepWatch_;
};

extern TForm2* Form2;

} // namespace zv
