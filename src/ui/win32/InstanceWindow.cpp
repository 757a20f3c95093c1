#include "ui/win32/InstanceWindow.h"

#include "platform/win32/Wide.h"

namespace orvane {

namespace {

constexpr const wchar_t* kClass = L"OrvaneGraphicInstance";
// Marks a WM_COPYDATA as a hand-over, not some other program's data.
constexpr ULONG_PTR kHandOverData = 0x4F564748;
// How long a second start waits for the running editor to take its files.
constexpr UINT kAnswerLimitMs = 4000;

void RegisterInstanceClass() {
    static const bool done = [] {
        WNDCLASSEXW c = {};
        c.cbSize = sizeof c;
        c.lpfnWndProc = DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kClass;
        return RegisterClassExW(&c) != 0;
    }();
    (void)done;
}

}  // namespace

InstanceWindow::InstanceWindow(const std::string& key, Receiver received) : received_(std::move(received)) {
    RegisterInstanceClass();
    window_ = CreateWindowExW(0, kClass, WideFromUtf8(key).c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;  // the editor runs; a second start finds nobody and says so
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(&InstanceWindow::Proc));
}

InstanceWindow::~InstanceWindow() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK InstanceWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<InstanceWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != kHandOverData || !data->lpData) return FALSE;
        // The data is the sender's only while this call lasts: decoded into our own.
        const auto files = DecodeHandOver(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
        if (!files) return FALSE;
        self->received_(*files);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Delivery DeliverTo(const std::string& key, const std::string& message) {
    const HWND target = FindWindowExW(HWND_MESSAGE, nullptr, kClass, WideFromUtf8(key).c_str());
    if (!target) return Delivery::NotListening;
    // This start is what the user just did: the running editor may take the front.
    DWORD process = 0;
    GetWindowThreadProcessId(target, &process);
    if (process) AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {kHandOverData, DWORD(message.size()), const_cast<char*>(message.data())};
    DWORD_PTR answer = FALSE;
    if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerLimitMs, &answer))
        return IsWindow(target) ? Delivery::NoAnswer : Delivery::NotListening;
    return answer == TRUE ? Delivery::Delivered : Delivery::NoAnswer;
}

}  // namespace orvane
