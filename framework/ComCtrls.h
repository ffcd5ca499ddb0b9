// The native date-time picker (SysDateTimePick32), as a time picker or a date picker.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "framework/Controls.h"

namespace zv {

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateFormat { dfShort, dfLong };
enum class TDTDateMode { dmComboBox, dmUpDown };
enum class TDTCalAlignment { dtaLeft, dtaRight };

class EDateTimeError : public Exception {
public:
    using Exception::Exception;
};

// The value is a SYSTEMTIME in local time, date and time of day together; a time picker shows the
// time part, a date picker the date part. OnChange fires when the user changes the value (keys,
// typing, the drop-down calendar), not for values set by code and not for keys that left the
// value as it was. A step below MinDate is undone without OnChange.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    const char* ClassName() const override { return "TDateTimePicker"; }

    SYSTEMTIME DateTime() const;
    // Raises EDateTimeError for an invalid date or a date before MinDate, and keeps the old value.
    void SetDateTime(const SYSTEMTIME& value);
    // Replace only the year, month and day / only the time of day (with milliseconds).
    void SetDate(const SYSTEMTIME& date);
    void SetTime(const SYSTEMTIME& time);

    // The earliest date the user can choose; its time of day is ignored. Setting it moves a value
    // that lies on an earlier date up to it.
    std::optional<SYSTEMTIME> MinDate() const { return minDate_; }
    void SetMinDate(const SYSTEMTIME& date);
    void ClearMinDate();

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind k);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat f);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode m);
    TDTCalAlignment CalAlignment() const { return calAlignment_; }
    void SetCalAlignment(TDTCalAlignment a);
    // Lets the user type a whole date as text (DTS_APPCANPARSE); off, typed digits edit one field.
    bool ParseInput() const { return parseInput_; }
    void SetParseInput(bool v);

    // The user changed the regional formats: the picker shows its value in the new ones. The native
    // picker reads them only when its format is set, and a child window is not told of the change.
    void FormatsChanged();

    TNotifyEvent OnChange;

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The system's own object, named by the label beside the picker.
    bool AccSystemObject() const override { return true; }
    std::string AccName() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool CNNotify(NMHDR& hdr, LRESULT& result) override;
    void ColorChanged() override;
    void SysColorChange() override;
    virtual void Change();

private:
    void ApplyRange();
    void ApplyCalendarColors();
    SYSTEMTIME value_{};
    std::optional<SYSTEMTIME> minDate_;
    bool ShowsSame(const SYSTEMTIME& a, const SYSTEMTIME& b) const;
    SYSTEMTIME WithShownFields(const SYSTEMTIME& native) const;
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateFormat dateFormat_ = TDTDateFormat::dfShort;
    TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
    TDTCalAlignment calAlignment_ = TDTCalAlignment::dtaLeft;
    bool parseInput_ = false;
};

} // namespace zv
