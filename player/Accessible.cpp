#include "player/Accessible.h"

#include "player/MenuWindow.h"

#include <cwctype>

namespace orvane::player {
namespace {

constexpr int kSelf = -1;
constexpr int kNone = -2;

HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

void Child(VARIANT* v, long id) {
    VariantInit(v);
    v->vt = VT_I4;
    v->lVal = id;
}

}  // namespace

HRESULT AccessibleMenu::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleMenu::AddRef() { return ULONG(InterlockedIncrement(&references_)); }

ULONG AccessibleMenu::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return ULONG(left);
}

HRESULT AccessibleMenu::GetTypeInfoCount(UINT* count) {
    if (!count) return E_INVALIDARG;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleMenu::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT AccessibleMenu::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleMenu::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

int AccessibleMenu::ButtonOf(const VARIANT& child) const {
    if (!window_ || !window_->Menu() || child.vt != VT_I4) return kNone;
    if (child.lVal == CHILDID_SELF) return kSelf;
    return child.lVal >= 1 && child.lVal <= window_->Menu()->ButtonCount() ? int(child.lVal - 1) : kNone;
}

HRESULT AccessibleMenu::get_accParent(IDispatch** parent) {
    if (!parent) return E_INVALIDARG;
    *parent = nullptr;
    if (!window_) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(window_->Window(), DWORD(OBJID_WINDOW), __uuidof(IDispatch),
                                      reinterpret_cast<void**>(parent));
}

HRESULT AccessibleMenu::get_accChildCount(long* count) {
    if (!count) return E_INVALIDARG;
    if (!window_ || !window_->Menu()) return CO_E_OBJNOTCONNECTED;
    *count = window_->Menu()->ButtonCount();
    return S_OK;
}

HRESULT AccessibleMenu::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    // The buttons are simple elements: their parent answers for them.
    return ButtonOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleMenu::get_accName(VARIANT child, BSTR* name) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    if (i == kSelf) return Text(window_->Caption(), name);
    return Text(Wide(SpokenCaption(window_->Menu()->Button(i).Caption)), name);
}

HRESULT AccessibleMenu::get_accValue(VARIANT child, BSTR* value) {
    if (value) *value = nullptr;
    return ButtonOf(child) == kNone ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleMenu::get_accDescription(VARIANT child, BSTR* description) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    if (i == kSelf) return Text({}, description);
    return Text(Wide(window_->Menu()->Button(i).Description), description);
}

HRESULT AccessibleMenu::get_accRole(VARIANT child, VARIANT* role) {
    const int i = ButtonOf(child);
    if (!role) return E_INVALIDARG;
    if (i == kNone) return E_INVALIDARG;
    Child(role, i == kSelf ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
}

HRESULT AccessibleMenu::get_accState(VARIANT child, VARIANT* state) {
    const int i = ButtonOf(child);
    if (!state) return E_INVALIDARG;
    if (i == kNone) return E_INVALIDARG;
    const bool focused = GetFocus() == window_->Window();
    long flags = STATE_SYSTEM_FOCUSABLE;
    const Session* s = window_->CurrentSession();
    if (i == kSelf) {
        if (focused && (!s || s->Focus() < 0)) flags |= STATE_SYSTEM_FOCUSED;
    } else if (s) {
        if (focused && s->Focus() == i) flags |= STATE_SYSTEM_FOCUSED;
        if (s->ButtonState(i) == 1) flags |= STATE_SYSTEM_HOTTRACKED;
        if (s->ButtonState(i) == 2) flags |= STATE_SYSTEM_PRESSED;
        if (!window_->ButtonVisible(i)) flags |= STATE_SYSTEM_OFFSCREEN;
    }
    Child(state, flags);
    return S_OK;
}

HRESULT AccessibleMenu::get_accHelp(VARIANT child, BSTR* help) {
    if (help) *help = nullptr;
    return ButtonOf(child) == kNone ? E_INVALIDARG : S_FALSE;
}

HRESULT AccessibleMenu::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = -1;
    return ButtonOf(child) == kNone ? E_INVALIDARG : S_FALSE;
}

HRESULT AccessibleMenu::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    if (i == kSelf) return Text({}, shortcut);
    std::wstring key = Wide(window_->Menu()->Button(i).AccessKey);
    for (wchar_t& c : key) c = wchar_t(std::towupper(c));
    return Text(key.empty() ? key : L"Alt+" + key, shortcut);
}

HRESULT AccessibleMenu::get_accFocus(VARIANT* child) {
    if (!child) return E_INVALIDARG;
    VariantInit(child);
    if (!window_) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != window_->Window()) return S_FALSE;
    const Session* s = window_->CurrentSession();
    Child(child, s && s->Focus() >= 0 ? s->Focus() + 1 : CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleMenu::get_accSelection(VARIANT* children) {
    if (!children) return E_INVALIDARG;
    VariantInit(children);
    return window_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

HRESULT AccessibleMenu::get_accDefaultAction(VARIANT child, BSTR* action) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    return Text(i == kSelf ? std::wstring() : L"Press", action);
}

HRESULT AccessibleMenu::accSelect(long flags, VARIANT child) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    if (!(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
    SetFocus(window_->Window());
    if (i >= 0) window_->FocusButton(i);
    return S_OK;
}

HRESULT AccessibleMenu::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    const int i = ButtonOf(child);
    if (!left || !top || !width || !height) return E_INVALIDARG;
    if (i == kNone) return E_INVALIDARG;
    RECT r{};
    if (i == kSelf) {
        GetClientRect(window_->Window(), &r);
        MapWindowPoints(window_->Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
        r = window_->ButtonOnScreen(i);
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT AccessibleMenu::accNavigate(long direction, VARIANT start, VARIANT* end) {
    const int i = ButtonOf(start);
    if (!end) return E_INVALIDARG;
    VariantInit(end);
    if (i == kNone) return E_INVALIDARG;
    const int n = window_->Menu()->ButtonCount();
    int to = kNone;
    switch (direction) {
        case NAVDIR_FIRSTCHILD: to = i == kSelf && n > 0 ? 0 : kNone; break;
        case NAVDIR_LASTCHILD: to = i == kSelf && n > 0 ? n - 1 : kNone; break;
        case NAVDIR_NEXT:
        case NAVDIR_DOWN: to = i >= 0 && i + 1 < n ? i + 1 : kNone; break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP: to = i > 0 ? i - 1 : kNone; break;
        default: return i == kSelf ? DISP_E_MEMBERNOTFOUND : S_FALSE;
    }
    if (to == kNone) return S_FALSE;
    Child(end, to + 1);
    return S_OK;
}

HRESULT AccessibleMenu::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_INVALIDARG;
    VariantInit(child);
    if (!window_ || !window_->Menu()) return CO_E_OBJNOTCONNECTED;
    POINT p{x, y};
    RECT client{};
    GetClientRect(window_->Window(), &client);
    POINT inside = p;
    ScreenToClient(window_->Window(), &inside);
    if (!PtInRect(&client, inside)) return S_FALSE;
    const int i = window_->ButtonAt(p);
    Child(child, i >= 0 ? i + 1 : CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleMenu::accDoDefaultAction(VARIANT child) {
    const int i = ButtonOf(child);
    if (i == kNone) return E_INVALIDARG;
    if (i == kSelf) return DISP_E_MEMBERNOTFOUND;
    window_->PressLater(i);
    return S_OK;
}

HRESULT AccessibleMenu::put_accName(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }
HRESULT AccessibleMenu::put_accValue(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }

}  // namespace orvane::player
