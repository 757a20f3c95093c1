// What a screen reader learns of the menu window, through the standard
// accessibility interfaces from another process, as JSON: the Wine test
// runs it beside the player.
//
//   accessibility-probe OUT.json [--press N]
//
// --press N asks for button N's default action (1-based) after reading.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

HWND menuWindow = nullptr;

BOOL CALLBACK FindMenu(HWND hwnd, LPARAM) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (std::wcsncmp(name, L"OrvaneMenuPlayer-", 17) == 0 && IsWindowVisible(hwnd)) {
        menuWindow = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string Utf8(const wchar_t* text) {
    if (!text) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(std::strlen(out.c_str()));
    return out;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* a, long id) {
    BSTR value = nullptr;
    if ((a->*get)(Child(id), &value) != S_OK || !value) return "null";
    const std::string out = Quoted(Utf8(value));
    SysFreeString(value);
    return out;
}

long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* a, long id) {
    VARIANT v;
    VariantInit(&v);
    if ((a->*get)(Child(id), &v) != S_OK || v.vt != VT_I4) return -1;
    return v.lVal;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && !(argc == 4 && std::wcscmp(argv[2], L"--press") == 0)) {
        std::fprintf(stderr, "usage: accessibility-probe OUT.json [--press N]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EnumWindows(FindMenu, 0);
    if (!menuWindow) {
        std::fprintf(stderr, "no menu window\n");
        return 1;
    }
    IAccessible* menu = nullptr;
    const HRESULT got = AccessibleObjectFromWindow(menuWindow, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&menu));
    if (FAILED(got) || !menu) {
        std::fprintf(stderr, "no accessible object: 0x%08lx\n", static_cast<unsigned long>(got));
        return 1;
    }
    long count = 0;
    menu->get_accChildCount(&count);
    std::string json = "{\"name\": " + Text(&IAccessible::get_accName, menu, CHILDID_SELF) +
                       ", \"role\": " + std::to_string(Number(&IAccessible::get_accRole, menu, CHILDID_SELF)) +
                       ", \"count\": " + std::to_string(count);
    VARIANT focus;
    VariantInit(&focus);
    const HRESULT focused = menu->get_accFocus(&focus);
    json += ", \"focus\": " + (focused == S_OK && focus.vt == VT_I4 ? std::to_string(focus.lVal) : std::string("null"));
    json += ", \"buttons\": [";
    for (long id = 1; id <= count; ++id) {
        long left = 0, top = 0, width = 0, height = 0;
        menu->accLocation(&left, &top, &width, &height, Child(id));
        json += std::string(id > 1 ? ", " : "") + "{\"name\": " + Text(&IAccessible::get_accName, menu, id) +
                ", \"description\": " + Text(&IAccessible::get_accDescription, menu, id) +
                ", \"action\": " + Text(&IAccessible::get_accDefaultAction, menu, id) +
                ", \"shortcut\": " + Text(&IAccessible::get_accKeyboardShortcut, menu, id) +
                ", \"role\": " + std::to_string(Number(&IAccessible::get_accRole, menu, id)) +
                ", \"state\": " + std::to_string(Number(&IAccessible::get_accState, menu, id)) +
                ", \"location\": [" + std::to_string(left) + ", " + std::to_string(top) + ", " +
                std::to_string(width) + ", " + std::to_string(height) + "]}";
    }
    json += "]}\n";
    if (argc == 4) menu->accDoDefaultAction(Child(std::wcstol(argv[3], nullptr, 10)));
    menu->Release();
    FILE* out = _wfopen(argv[1], L"wb");
    if (!out) return 1;
    std::fwrite(json.data(), 1, json.size(), out);
    std::fclose(out);
    CoUninitialize();
    return 0;
}
