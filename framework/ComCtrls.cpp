#include "framework/ComCtrls.h"

#include <tuple>

#include "framework/ColorRoles.h"
#include "framework/Accessible.h"
#include "framework/Clock.h"
#include "framework/DateUtils.h"
#include "framework/Layout.h"

namespace zv {

namespace {

// The value with its day of the week filled in; raises for a date or time that does not exist.
SYSTEMTIME Normalized(const SYSTEMTIME& st)
{
    FILETIME ft;
    SYSTEMTIME out;
    if (!::SystemTimeToFileTime(&st, &ft) || !::FileTimeToSystemTime(&ft, &out))
        throw EDateTimeError(Format("Invalid date %04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay,
                                    st.wHour, st.wMinute, st.wSecond));
    return out;
}

bool DateBefore(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return std::tie(a.wYear, a.wMonth, a.wDay) < std::tie(b.wYear, b.wMonth, b.wDay);
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    value_ = Normalized(Now());
}

bool TDateTimePicker::ShowsSame(const SYSTEMTIME& a, const SYSTEMTIME& b) const
{
    if (kind_ == TDateTimeKind::dtkDate)
        return !DateBefore(a, b) && !DateBefore(b, a);
    return std::tie(a.wHour, a.wMinute, a.wSecond) == std::tie(b.wHour, b.wMinute, b.wSecond);
}

// The fields the native picker shows come from it (the user may have changed them); the others are
// kept here, since the picker is only told of a value that changes what it shows.
SYSTEMTIME TDateTimePicker::WithShownFields(const SYSTEMTIME& native) const
{
    SYSTEMTIME st = value_;
    if (kind_ == TDateTimeKind::dtkDate) {
        st.wYear = native.wYear;
        st.wMonth = native.wMonth;
        st.wDay = native.wDay;
        st.wDayOfWeek = native.wDayOfWeek;
    } else {
        st.wHour = native.wHour;
        st.wMinute = native.wMinute;
        st.wSecond = native.wSecond;
        st.wMilliseconds = native.wMilliseconds;
    }
    return st;
}

SYSTEMTIME TDateTimePicker::DateTime() const
{
    if (HWND h = HandleIfAllocated()) {
        SYSTEMTIME st{};
        if (::SendMessageA(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            return WithShownFields(st);
    }
    return value_;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value)
{
    const SYSTEMTIME st = Normalized(value);
    if (minDate_ && DateBefore(st, *minDate_))
        throw EDateTimeError("Date is less than minimum of " + DateToText(*minDate_));
    value_ = st;
    // The native picker does not report values set by code (no DTN_DATETIMECHANGE). It repaints
    // whenever it is told a value, so a value that shows the same (the clock's seconds in a date
    // picker) is not told.
    if (HWND h = HandleIfAllocated()) {
        SYSTEMTIME shown{};
        if (::SendMessageA(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)) != GDT_VALID ||
            !ShowsSame(shown, value_))
            ::SendMessageA(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
    }
}

void TDateTimePicker::SetDate(const SYSTEMTIME& date)
{
    SYSTEMTIME st = DateTime();
    st.wYear = date.wYear;
    st.wMonth = date.wMonth;
    st.wDay = date.wDay;
    SetDateTime(st);
}

void TDateTimePicker::SetTime(const SYSTEMTIME& time)
{
    SYSTEMTIME st = DateTime();
    st.wHour = time.wHour;
    st.wMinute = time.wMinute;
    st.wSecond = time.wSecond;
    st.wMilliseconds = time.wMilliseconds;
    SetDateTime(st);
}

void TDateTimePicker::SetMinDate(const SYSTEMTIME& date)
{
    minDate_ = DateOf(Normalized(date));
    SYSTEMTIME st = DateTime();
    const bool raise = DateBefore(st, *minDate_);
    ApplyRange();
    if (raise) {
        st.wYear = minDate_->wYear;
        st.wMonth = minDate_->wMonth;
        st.wDay = minDate_->wDay;
        SetDateTime(st);
    }
}

void TDateTimePicker::ClearMinDate()
{
    minDate_.reset();
    ApplyRange();
}

void TDateTimePicker::ApplyRange()
{
    HWND h = HandleIfAllocated();
    if (!h)
        return;
    SYSTEMTIME range[2]{};
    if (minDate_)
        range[0] = *minDate_;
    ::SendMessageA(h, DTM_SETRANGE, minDate_ ? GDTR_MIN : 0, reinterpret_cast<LPARAM>(range));
}

void TDateTimePicker::ApplyCalendarColors()
{
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, DTM_SETMCCOLOR, MCSC_MONTHBK,
                       static_cast<LPARAM>(ColorToRGB(RoleColor(TColorRole::Face, Color()))));
}

void TDateTimePicker::SysColorChange()
{
    TWinControl::SysColorChange();
    // Windows tells only top-level windows of a new scheme; a common control hears of it from its parent.
    if (HandleIfAllocated())
        DefaultHandler(WM_SYSCOLORCHANGE, 0, 0);
    ApplyCalendarColors();
}

void TDateTimePicker::SetKind(TDateTimeKind k)
{
    if (k == kind_)
        return;
    kind_ = k;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat f)
{
    if (f == dateFormat_)
        return;
    dateFormat_ = f;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode m)
{
    if (m == dateMode_)
        return;
    dateMode_ = m;
    RecreateWnd();
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment a)
{
    if (a == calAlignment_)
        return;
    calAlignment_ = a;
    RecreateWnd();
}

void TDateTimePicker::SetParseInput(bool v)
{
    if (v == parseInput_)
        return;
    parseInput_ = v;
    RecreateWnd();
}

void TDateTimePicker::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.winClassName = DATETIMEPICK_CLASSA;
    p.nativeClass = true;
    p.exStyle |= WS_EX_CLIENTEDGE;
    // The native picker keeps its arrows in a child window: a new value repaints the fields, not them.
    p.style |= WS_CLIPCHILDREN;
    if (kind_ == TDateTimeKind::dtkTime)
        p.style |= DTS_TIMEFORMAT;
    else
        p.style |= dateFormat_ == TDTDateFormat::dfShort ? DTS_SHORTDATEFORMAT : DTS_LONGDATEFORMAT;
    if (dateMode_ == TDTDateMode::dmUpDown)
        p.style |= DTS_UPDOWN;
    if (calAlignment_ == TDTCalAlignment::dtaRight)
        p.style |= DTS_RIGHTALIGN;
    if (parseInput_)
        p.style |= DTS_APPCANPARSE;
}

void TDateTimePicker::HandleCreated()
{
    TWinControl::HandleCreated();
    ApplyRange();
    ApplyCalendarColors();
    ::SendMessageA(HandleIfAllocated(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyCalendarColors();
}

bool TDateTimePicker::CNNotify(NMHDR& hdr, LRESULT& result)
{
    if (hdr.code != DTN_DATETIMECHANGE)
        return false;
    result = 0;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(hdr);
    if (change.dwFlags != GDT_VALID)
        return true;
    if (minDate_ && DateBefore(change.st, *minDate_)) {
        // The native picker lets the arrow keys step a field past the earliest date: undo the step.
        ::SendMessageA(hdr.hwndFrom, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
        return true;
    }
    // It also reports keys that changed nothing (an arrow with no field selected).
    if (ShowsSame(change.st, value_))
        return true;
    value_ = WithShownFields(change.st);
    Change();
    return true;
}

void TDateTimePicker::FormatsChanged()
{
    // No format string: back to the default one of its style, read from the regional settings now.
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, DTM_SETFORMATA, 0, 0);
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

LRESULT TDateTimePicker::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
        value_ = DateTime(); // a window made again shows what the user chose
    return TWinControl::WndProc(msg, wParam, lParam);
}

namespace {
const bool kRegistered = [] {
    RegisterClass<TDateTimePicker>("TDateTimePicker", "TWinControl")
        .Prop<TDateTimePicker>("Kind", [](TDateTimePicker& c, const TLayoutValue& v) {
            c.SetKind(v.AsEnum<TDateTimeKind>({{"dtkDate", TDateTimeKind::dtkDate}, {"dtkTime", TDateTimeKind::dtkTime}}));
        })
        .Prop<TDateTimePicker>("DateFormat", [](TDateTimePicker& c, const TLayoutValue& v) {
            c.SetDateFormat(v.AsEnum<TDTDateFormat>({{"dfShort", TDTDateFormat::dfShort}, {"dfLong", TDTDateFormat::dfLong}}));
        })
        .Prop<TDateTimePicker>("DateMode", [](TDateTimePicker& c, const TLayoutValue& v) {
            c.SetDateMode(
                v.AsEnum<TDTDateMode>({{"dmComboBox", TDTDateMode::dmComboBox}, {"dmUpDown", TDTDateMode::dmUpDown}}));
        })
        .Prop<TDateTimePicker>("CalAlignment", [](TDateTimePicker& c, const TLayoutValue& v) {
            c.SetCalAlignment(
                v.AsEnum<TDTCalAlignment>({{"dtaLeft", TDTCalAlignment::dtaLeft}, {"dtaRight", TDTCalAlignment::dtaRight}}));
        })
        .Prop<TDateTimePicker>("ParseInput", [](TDateTimePicker& c, const TLayoutValue& v) { c.SetParseInput(v.AsBool()); })
        .Prop<TDateTimePicker>("OnChange", [](TDateTimePicker& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnChange = ctx.Handler<TNotifyEvent>(v);
        });
    return true;
}();
} // namespace

std::string TDateTimePicker::AccName() const { return AccessibleLabelOf(this); }

} // namespace zv
