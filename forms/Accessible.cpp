#include "forms/Accessible.h"

#include "forms/ChildWindow.h"
#include "forms/Control.h"
#include "forms/TabOrder.h"
#include "forms/Windowless.h"

#include <ole2.h>
#include <oleacc.h>

namespace forms {

namespace {

// A text property: S_FALSE and no text where there is none.
HRESULT Text(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!*out) return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), *out, length);
    return S_OK;
}

HRESULT Number(long value, VARIANT* out) {
    if (!out) return E_POINTER;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

VARIANT SelfId() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// The object of a window, or of its client area, as the system describes it, with what the program
// says of it on top: its Control's Accessible and, for a client area, the controls it draws as its
// children (child ids 1 on, in the Control's parts' order; a child window among them is its own
// object). The Control is found again from the window at every call: a caller in another process may
// keep the object after the window is gone, and then only hears that it is gone.
class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(HWND window, bool client, IAccessible* standard)
        : window_(window),
          client_(client),
          standard_(standard) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch, as the system's object answers it.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!client_) return standard_->get_accChildCount(count);
        const Control* owner = Owner();
        if (!owner) return E_FAIL;
        if (!count) return E_POINTER;
        *count = static_cast<long>(owner->Parts().size());
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!client_) return standard_->get_accChild(child, out);
        if (!out) return E_POINTER;
        *out = nullptr;
        const Control::Part* part = nullptr;
        if (const HRESULT found = Find(child, &part); found != S_OK) return found;
        if (!part) return E_INVALIDARG;
        if (part->Window)
            return AccessibleObjectFromWindow(part->Window->ChildHandle(), static_cast<DWORD>(OBJID_WINDOW),
                                              __uuidof(IDispatch), reinterpret_cast<void**>(out));
        return S_FALSE;  // a simple child: asked through this object with its id
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Property(child, name, &IAccessible::get_accName, &Accessibility::Name, true);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Property(child, description, &IAccessible::get_accDescription, &Accessibility::Description, true);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Property(child, value, &IAccessible::get_accValue, &Accessibility::Value, false);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Property(child, action, &IAccessible::get_accDefaultAction, &Accessibility::DefaultAction, false);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Property(child, help, &IAccessible::get_accHelp, nullptr, false);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Property(child, shortcut, &IAccessible::get_accKeyboardShortcut, nullptr, false);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!client_) return standard_->get_accRole(child, role);
        const Control::Part* part = nullptr;
        if (const HRESULT found = Find(child, &part); found != S_OK) return found;
        if (!part) {
            const long own = Owner()->Accessible.Role;
            return own ? Number(own, role) : standard_->get_accRole(child, role);
        }
        if (part->Window)
            return OnWindow(*part, [&](IAccessible* object) { return object->get_accRole(SelfId(), role); });
        return Number(part->Item->Describe().Role, role);
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!client_) return standard_->get_accState(child, state);
        const Control::Part* part = nullptr;
        if (const HRESULT found = Find(child, &part); found != S_OK) return found;
        if (!part) return standard_->get_accState(child, state);
        if (part->Window)
            return OnWindow(*part, [&](IAccessible* object) { return object->get_accState(SelfId(), state); });
        return Number(ItemState(*part->Item), state);
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        const Control::Part* part = nullptr;
        if (!client_ || Find(child, &part) != S_OK || !part) return standard_->get_accHelpTopic(file, child, topic);
        if (!file || !topic) return E_POINTER;
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!client_) return standard_->get_accFocus(focus);
        const Control* owner = Owner();
        if (!owner) return E_FAIL;
        if (GetFocus() == window_) {
            for (const Control::Part& part : owner->Parts()) {
                const auto* stop = dynamic_cast<const TabStop*>(part.Item);
                if (stop && stop->Focused()) return Number(owner->AccessibleChildId(part.Item), focus);
            }
        }
        return standard_->get_accFocus(focus);
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const Control::Part* part = nullptr;
        if (!client_ || Find(child, &part) != S_OK || !part) return standard_->accSelect(flags, child);
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        const Control::Part* part = nullptr;
        if (!client_ || Find(child, &part) != S_OK || !part)
            return standard_->accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_POINTER;
        RECT area{};
        if (part->Window)
            GetWindowRect(part->Window->ChildHandle(), &area);
        else {
            area = part->Item->HitRect();
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&area), 2);
        }
        *left = area.left;
        *top = area.top;
        *width = area.right - area.left;
        *height = area.bottom - area.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!client_) return standard_->accNavigate(direction, start, end);
        const Control::Part* part = nullptr;
        if (const HRESULT found = Find(start, &part); found != S_OK) return found;
        const Control* owner = Owner();
        const long count = static_cast<long>(owner->Parts().size());
        long to = 0;
        if (!part && direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (!part && direction == NAVDIR_LASTCHILD)
            to = count;
        else if (!part)
            return standard_->accNavigate(direction, start, end);
        else if (direction == NAVDIR_NEXT)
            to = start.lVal + 1;
        else if (direction == NAVDIR_PREVIOUS)
            to = start.lVal - 1;
        if (!end) return E_POINTER;
        VariantInit(end);
        if (to < 1 || to > count) return S_FALSE;
        const Control::Part& target = owner->Parts()[static_cast<std::size_t>(to - 1)];
        if (!target.Window) return Number(to, end);
        end->vt = VT_DISPATCH;
        return AccessibleObjectFromWindow(target.Window->ChildHandle(), static_cast<DWORD>(OBJID_WINDOW),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(&end->pdispVal));
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* at) override {
        if (!client_) return standard_->accHitTest(x, y, at);
        const Control* owner = Owner();
        if (!owner) return E_FAIL;
        POINT point{x, y};
        ScreenToClient(window_, &point);
        for (const Control::Part& part : owner->Parts()) {
            if (!part.Item) continue;
            const RECT area = part.Item->HitRect();
            if (PtInRect(&area, point)) return Number(owner->AccessibleChildId(part.Item), at);
        }
        return standard_->accHitTest(x, y, at);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const Control::Part* part = nullptr;
        if (!client_ || Find(child, &part) != S_OK || !part) return standard_->accDoDefaultAction(child);
        if (part->Window)
            return OnWindow(*part, [](IAccessible* object) { return object->accDoDefaultAction(SelfId()); });
        if (!part->Item->Click) return DISP_E_MEMBERNOTFOUND;
        Owner()->ClickLater(part->Item);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() { standard_->Release(); }

    Control* Owner() const { return Control::FromWindow(window_); }

    // The part a child id names, or none for the object itself: S_OK; E_INVALIDARG for an id that
    // names nothing; E_FAIL once the window is gone.
    HRESULT Find(const VARIANT& child, const Control::Part** part) const {
        const Control* owner = Owner();
        if (!owner) return E_FAIL;
        if (child.vt != VT_I4) return E_INVALIDARG;
        *part = nullptr;
        if (child.lVal == CHILDID_SELF) return S_OK;
        if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > owner->Parts().size()) return E_INVALIDARG;
        *part = &owner->Parts()[static_cast<std::size_t>(child.lVal - 1)];
        return S_OK;
    }

    // A question about a child window, asked of its own object.
    template <typename Ask>
    static HRESULT OnWindow(const Control::Part& part, Ask ask) {
        IAccessible* object = nullptr;
        const HRESULT made = AccessibleObjectFromWindow(part.Window->ChildHandle(), static_cast<DWORD>(OBJID_WINDOW),
                                                        __uuidof(IAccessible), reinterpret_cast<void**>(&object));
        if (FAILED(made) || !object) return FAILED(made) ? made : E_FAIL;
        const HRESULT answer = ask(object);
        object->Release();
        return answer;
    }

    // A text property of the object itself (the program's words where it gives them, the system's
    // otherwise; a window's object takes only its name and description) or of a child.
    HRESULT Property(VARIANT child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*),
                     std::string Accessibility::*field, bool forWindow) {
        if (!client_) {
            // The window's object numbers its children its own way: only its own name is ours.
            const Control* owner = Owner();
            const bool self = child.vt == VT_I4 && child.lVal == CHILDID_SELF;
            if (owner && self && field && forWindow && !(owner->Accessible.*field).empty())
                return Text(owner->Accessible.*field, out);
            return (standard_->*system)(child, out);
        }
        const Control::Part* part = nullptr;
        if (const HRESULT found = Find(child, &part); found != S_OK) return found;
        if (!part) {
            const bool own = field && !(Owner()->Accessible.*field).empty();
            return own ? Text(Owner()->Accessible.*field, out) : (standard_->*system)(child, out);
        }
        if (part->Window) return OnWindow(*part, [&](IAccessible* object) { return (object->*system)(SelfId(), out); });
        return Text(field ? part->Item->Describe().*field : std::string(), out);
    }

    // A control of the form's tab order can take the focus; a link is linked; other texts are read
    // only.
    long ItemState(const Windowless& item) const {
        const auto* stop = dynamic_cast<const TabStop*>(&item);
        const Control* form = Control::FromWindow(GetAncestor(window_, GA_ROOT));
        const bool inOrder = stop && form && form->Tabs() && form->Tabs()->Contains(stop);
        if (!inOrder) return item.Click ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY;
        long state = STATE_SYSTEM_FOCUSABLE | (item.Click ? STATE_SYSTEM_LINKED : 0);
        if (stop->Focused() && GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
        return state;
    }

    HWND window_;
    bool client_;  // the client area's object, or the window's
    IAccessible* standard_;
    LONG references_ = 1;
};

}  // namespace

LRESULT AccessibleObjectFor(Control& control, WPARAM wParam, LPARAM lParam) {
    const auto id = static_cast<LONG>(static_cast<DWORD>(lParam));
    const bool client = id == OBJID_CLIENT;
    if (!client && id != OBJID_WINDOW) return 0;
    const Accessibility& own = control.Accessible;
    bool drawsParts = false;
    for (const Control::Part& part : control.Parts()) drawsParts = drawsParts || part.Item;
    const bool says = !own.Name.empty() || !own.Description.empty() ||
                      (client && (own.Role != 0 || !own.Value.empty() || !own.DefaultAction.empty() || drawsParts));
    if (!says) return 0;

    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control.hWnd(), id, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new AccessibleObject(control.hWnd(), client, standard);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return result > 0 ? result : 0;
}

}  // namespace forms
