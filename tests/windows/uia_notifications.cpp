// Prints every UI Automation notification raised in the game's window (or, where none is open,
// on the desktop), as a screen reader on Windows would receive the game's announcements, until
// SECONDS have passed.
//
//   uia_notifications SECONDS
//
// Exits 1 naming the step where UI Automation refused; 0 otherwise, whatever it heard.

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <initguid.h>
#include <string>
#include <uiautomation.h>
#include <windows.h>

namespace {

std::string utf8(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    const int length = int(SysStringLen(text));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

class Listener : public IUIAutomationNotificationEventHandler {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IUIAutomationNotificationEventHandler) {
            *object = static_cast<IUIAutomationNotificationEventHandler*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; } // lives on main's stack

    HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUIAutomationElement*, NotificationKind,
                                                      NotificationProcessing, BSTR text,
                                                      BSTR) override {
        std::printf("Benachrichtigung: %s\n", utf8(text).c_str());
        std::fflush(stdout);
        return S_OK;
    }

private:
    std::atomic<ULONG> m_references{1};
};

int refused(const char* step, HRESULT result) {
    std::printf("UI Automation: %s fehlgeschlagen (0x%08lx)\n", step,
                static_cast<unsigned long>(result));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation5* automation = nullptr;
    // Windows 10 registers the newer class, older systems (and Wine) only the first one.
    HRESULT result = CoCreateInstance(CLSID_CUIAutomation8, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IUIAutomation5, reinterpret_cast<void**>(&automation));
    if (FAILED(result)) {
        std::printf("UI Automation: CUIAutomation8 fehlt (0x%08lx), versuche CUIAutomation\n",
                    static_cast<unsigned long>(result));
        result = CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IUIAutomation5, reinterpret_cast<void**>(&automation));
    }
    if (FAILED(result)) {
        return refused("IUIAutomation5", result);
    }
    // The game's window where it is open, else the whole desktop.
    IUIAutomationElement* root = nullptr;
    if (HWND game = FindWindowW(nullptr, L"Strickwichtspiel")) {
        result = automation->ElementFromHandle(game, &root);
        if (FAILED(result)) {
            return refused("ElementFromHandle", result);
        }
    } else {
        result = automation->GetRootElement(&root);
        if (FAILED(result)) {
            return refused("GetRootElement", result);
        }
    }
    Listener listener;
    result = automation->AddNotificationEventHandler(root, TreeScope_Subtree, nullptr, &listener);
    if (FAILED(result)) {
        return refused("AddNotificationEventHandler", result);
    }
    std::printf("UI Automation: höre %d s auf Benachrichtigungen\n", seconds);
    std::fflush(stdout);
    Sleep(DWORD(seconds) * 1000);
    automation->RemoveNotificationEventHandler(root, &listener);
    root->Release();
    automation->Release();
    CoUninitialize();
    return 0;
}
