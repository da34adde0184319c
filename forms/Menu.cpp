#include "forms/Menu.h"

namespace forms {

bool MenuItem::Checked() const {
    if (!parent_) return checked_;
    return (GetMenuState(parent_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (parent_) CheckMenuItem(parent_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItem::Enabled() const {
    if (!parent_) return enabled_;
    return (GetMenuState(parent_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (parent_) EnableMenuItem(parent_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

MenuTree::MenuTree(MenuItem& top) : top_(top) {
    topMenu_.reset(CreateMenu());
    top_.parent_ = topMenu_.get();
    Build(top_);
}

// Menus inserted into a parent menu are destroyed with it, so only the top one is owned here.
void MenuTree::Build(MenuItem& item) {
    item.id_ = nextId_++;
    if (item.items_.empty()) {
        const UINT flags = item.caption_ == "-"
                               ? MF_SEPARATOR
                               : MF_STRING | (item.checked_ ? MF_CHECKED : 0) | (item.enabled_ ? 0 : MF_GRAYED);
        AppendMenuA(item.parent_, flags, item.id_, item.caption_.c_str());
        return;
    }
    item.submenu_ = CreatePopupMenu();
    for (MenuItem* child : item.items_) {
        child->parent_ = item.submenu_;
        Build(*child);
    }
    AppendMenuA(item.parent_, MF_POPUP, reinterpret_cast<UINT_PTR>(item.submenu_), item.caption_.c_str());
}

MenuItem* MenuTree::Find(MenuItem& item, UINT id) {
    if (item.id_ == id && item.items_.empty()) return &item;
    for (MenuItem* child : item.items_)
        if (MenuItem* found = Find(*child, id)) return found;
    return nullptr;
}

void MenuTree::PopupMenu(HWND window, MenuItem& item, std::optional<POINT> at) {
    if (!item.submenu_) return;
    POINT pointer{};
    if (at)
        pointer = *at;
    else
        GetCursorPos(&pointer);
    // The owner must be the foreground window, or the menu would not close when the user clicks
    // outside it.
    SetForegroundWindow(window);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(item.submenu_, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                                           pointer.x, pointer.y, window, nullptr));
    // Lets the system finish with the menu before anything else runs in this window.
    PostMessageA(window, WM_NULL, 0, 0);
    if (chosen == 0) return;
    if (MenuItem* found = Find(top_, chosen); found && found->Click) found->Click();
}

}  // namespace forms
