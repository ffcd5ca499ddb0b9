// Reads controls as a screen reader does: the client object of a window through
// AccessibleObjectFromWindow, its children, and the events that NotifyWinEvent sends.
//
//   TAccReader form(Form->Handle());
//   int id = form.Find("Ora curenta este:");       // a windowless child, by name
//   EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, form.Role(id));
//   TAccReader box = form.Window("Tipul actiunii");  // a windowed child's own object
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace zv::test {

class TAccReader {
public:
    explicit TAccReader(HWND h);
    explicit TAccReader(IAccessible* acc = nullptr) : acc_(acc) {}
    ~TAccReader();
    TAccReader(TAccReader&& o) noexcept : acc_(o.acc_) { o.acc_ = nullptr; }
    TAccReader& operator=(TAccReader&& o) noexcept;
    TAccReader(const TAccReader&) = delete;
    TAccReader& operator=(const TAccReader&) = delete;

    IAccessible* Get() const { return acc_; }
    explicit operator bool() const { return acc_ != nullptr; }

    // Child 0 is the object itself.
    long Role(long child = CHILDID_SELF) const;
    unsigned State(long child = CHILDID_SELF) const;
    std::string Name(long child = CHILDID_SELF) const;
    std::string Value(long child = CHILDID_SELF) const;
    std::string Description(long child = CHILDID_SELF) const;
    std::string DefaultAction(long child = CHILDID_SELF) const;
    HRESULT DoDefaultAction(long child = CHILDID_SELF) const;
    RECT Location(long child = CHILDID_SELF) const;
    long ChildCount() const;
    // The id of the first child (windowless or windowed) of that name, or -1.
    long Find(const std::string& name) const;
    // The object of the first windowed child of that name, or of a child id (empty when windowless).
    TAccReader Window(const std::string& name) const;
    TAccReader Child(long child) const;
    // What a hit test at a screen point gives: a child id, 0 for the object, or -2 for a windowed child.
    long HitTest(POINT screen) const;

private:
    IAccessible* acc_ = nullptr;
};

// The win events raised while it lives (out of context: delivered as messages are pumped).
class TWinEventLog {
public:
    TWinEventLog();
    ~TWinEventLog();
    TWinEventLog(const TWinEventLog&) = delete;
    TWinEventLog& operator=(const TWinEventLog&) = delete;
    struct Entry {
        DWORD event;
        HWND hwnd;
        LONG object;
        LONG child;
    };
    // How many times `event` was seen for that window's child.
    int Count(DWORD event, HWND h, LONG child = CHILDID_SELF) const;
    void Clear() { entries_.clear(); }

private:
    static void CALLBACK Proc(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD, DWORD);
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<Entry> entries_;
};

} // namespace zv::test
