// Counts the GDI objects and device contexts that code under test makes and frees.
//
// The window system's own counter (GetGuiResources) answers 0 under Wine, so the ledger replaces this
// test binary's import-table entries of the functions that create and free pens, brushes, fonts,
// bitmaps, regions and device contexts with counting wrappers. The code under test is linked into the
// test binary, so every call it makes passes through them.
//
//   GdiLedger ledger;
//   for (int i = 0; i < 1000; ++i) DrawSomething(dc);
//   EXPECT_EQ(ledger.Outstanding(), 0);   // on failure prints e.g. "2 (CreatePen 1, CreateSolidBrush 1)"
//
// Only objects made while the ledger lives are counted; objects made before it (the test's own DIB, a
// font whose handle was asked for earlier) are not. Ledgers do not nest.
#pragma once

#include <map>
#include <ostream>
#include <string>

namespace zv::test {

// A number of objects with the functions that made them.
struct GdiTally {
    int total = 0;
    std::map<std::string, int> byMaker;

    friend bool operator==(const GdiTally& t, int n) { return t.total == n; }
    friend bool operator==(int n, const GdiTally& t) { return t.total == n; }
    friend std::ostream& operator<<(std::ostream& os, const GdiTally& t);
};

class GdiLedger {
public:
    GdiLedger();
    ~GdiLedger();
    GdiLedger(const GdiLedger&) = delete;
    GdiLedger& operator=(const GdiLedger&) = delete;

    // Objects made since the ledger started and not freed yet.
    GdiTally Outstanding() const;
    // Objects made since the ledger started, freed or not.
    GdiTally Made() const;
    // Calls of one function since the ledger started ("CreatePen", "DeleteObject", "GetDC", ...).
    int Calls(const std::string& function) const;
    // Forgets everything counted so far.
    void Reset();

    // How many import-table entries were redirected (0 means the ledger would see nothing).
    static int PatchedEntries();
};

} // namespace zv::test
