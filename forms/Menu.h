#pragma once
// Menus of a form: a tree of items with captions, check marks and Click events, and the popup of an
// item's submenu at the pointer. A caption marks its access key with "&" before the letter (Windows
// underlines it when the menu is used from the keyboard, and typing it chooses the item).

#include "forms/Handles.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace forms {

class MenuItem {
public:
    // A command, or a separator when the caption is "-".
    explicit MenuItem(std::string caption) : caption_(std::move(caption)) {}
    // An item with a submenu of the given items, in display order.
    MenuItem(std::string caption, std::vector<MenuItem*> items)
        : caption_(std::move(caption)),
          items_(std::move(items)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // The check mark as the menu shows it.
    bool Checked() const;
    void SetChecked(bool checked);
    // A disabled item is greyed and cannot be chosen; its check mark still shows.
    bool Enabled() const;
    void SetEnabled(bool enabled);

    std::function<void()> Click;

private:
    friend class MenuTree;
    std::string caption_;
    std::vector<MenuItem*> items_;
    bool checked_ = false;
    bool enabled_ = true;
    UINT id_ = 0;
    HMENU parent_ = nullptr;   // the menu that shows this item
    HMENU submenu_ = nullptr;  // this item's own menu, if it has items
};

// Builds the Win32 menus of a tree of items and owns them.
class MenuTree {
public:
    explicit MenuTree(MenuItem& top);
    MenuTree(const MenuTree&) = delete;
    MenuTree& operator=(const MenuTree&) = delete;

    // Pops up `item`'s submenu at `at` (screen pixels; the pointer where none is given), owned by
    // `window`; left-aligned, chosen with the left button. Returns when the menu has closed, after the
    // chosen item's Click has run.
    void PopupMenu(HWND window, MenuItem& item, std::optional<POINT> at = std::nullopt);

private:
    void Build(MenuItem& item);
    MenuItem* Find(MenuItem& item, UINT id);

    MenuItem& top_;
    unique_hmenu topMenu_;
    UINT nextId_ = 100;
};

}  // namespace forms
