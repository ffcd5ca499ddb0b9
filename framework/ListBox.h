// The list box: a native LISTBOX whose items are strings with an associated object each. In the
// owner-drawn styles the window system asks the control to measure and draw each item; those
// requests reach MeasureItem and DrawItem with the item's index.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"

namespace zv {

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// ODS_* bits of the item being drawn (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED ...).
using TOwnerDrawState = UINT;
using TDrawItemEvent = std::function<void(TObject* sender, int index, const RECT& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TObject* sender, int index, int& height)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    const char* ClassName() const override { return "TCustomListBox"; }
    // The system's own object reads the items.
    bool AccSystemObject() const override { return true; }

    // Items. The objects are only referred to: the list never frees them.
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Items(int index) const;
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);
    int AddItem(const std::string& text, TObject* object = nullptr);
    void Insert(int index, const std::string& text, TObject* object = nullptr);
    void Delete(int index);
    void Clear();
    // Replaces every item by `lines`, without objects.
    void SetItems(const std::vector<std::string>& lines);
    int IndexOf(const std::string& text) const;

    // The selected item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // While updating (the calls nest) the window does not redraw; the last EndUpdate repaints it.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle s);
    // The height of every item in the fixed styles, and the starting value of a measure in the
    // variable one.
    int ItemHeight() const;
    void SetItemHeight(int h);

    // The item's rectangle in client coordinates (empty when out of range).
    RECT ItemRect(int index) const;
    // The item under the client point; -1 when the point is below the last item and `existing`.
    int ItemAtPos(POINT p, bool existing) const;

    // Bound to the device context of the current measure or draw request.
    TCanvas& Canvas() { return canvas_; }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    bool CNCommand(WORD code) override;
    bool CNDrawItem(DRAWITEMSTRUCT& dis) override;
    bool CNMeasureItem(MEASUREITEMSTRUCT& mis) override;

    // Height of item `index` in the variable style; `height` comes in as ItemHeight.
    virtual void MeasureItem(int index, int& height);
    // Draws item `index` on Canvas(): OnDrawItem when assigned, else the text on the highlight
    // colour when selected and on the control's colour otherwise, with the focus rectangle.
    // An empty list that has the focus asks with index -1, for the focus rectangle alone.
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index) const;
    // Puts item `index` of items_ into the window.
    void InsertIntoWindow(int index);

    std::vector<Item> items_;
    int itemIndex_ = -1; // kept while there is no window
    int updateCount_ = 0;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    int itemHeight_ = 16;
    TCanvas canvas_;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    const char* ClassName() const override { return "TListBox"; }
};

} // namespace zv
