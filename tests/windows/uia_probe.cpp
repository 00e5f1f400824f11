// Reads a running program's window through UI Automation from outside the program, as a screen
// reader on Windows does, for the UI Automation test: waits until a top-level window of the given
// title exists, then prints one line for the window and one for each element inside it, in tree
// order: its control type, Name, FullDescription and whether it has the keyboard focus, separated
// by tabs (a tab, line break or backslash in a text written as \t, \n or \\), in UTF-8.
//
// Each UI Automation call runs on a worker thread and is given 30 seconds to answer: the
// provider answers on the program's own thread, which Wine asks without a time limit of its own,
// so a program that stopped answering would otherwise hang the test. A call that runs out ends
// this program with status 3, naming the call.
// Usage: uia_probe.exe TITLE [SECONDS]   (exit status 1 when no such window comes in time)

#include <windows.h>
#include <cstdio>
#include <ole2.h>
#include <oleauto.h>
#include <shellapi.h>
#include <string>

// The parts of UI Automation's client interfaces called here, declared in their vtable order
// (MinGW-w64 10's uiautomationclient.h has only the identifiers). Placeholders hold the slots
// of the methods not called. They stay outside the unnamed namespace: there, the compiler would
// take this file's (no) implementations for all there are, and optimise the calls away.
struct IUIAutomationCondition : IUnknown
{
};

struct IUIAutomationElement : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) = 0;
    virtual void STDMETHODCALLTYPE FindFirst() = 0;
    virtual void STDMETHODCALLTYPE FindAll() = 0;
    virtual void STDMETHODCALLTYPE FindFirstBuildCache() = 0;
    virtual void STDMETHODCALLTYPE FindAllBuildCache() = 0;
    virtual void STDMETHODCALLTYPE BuildUpdatedCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int id, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(int id, BOOL ignoreDefault,
                                                                VARIANT* value) = 0;
    virtual void STDMETHODCALLTYPE GetCachedPropertyValue() = 0;
    virtual void STDMETHODCALLTYPE GetCachedPropertyValueEx() = 0;
    virtual void STDMETHODCALLTYPE GetCurrentPatternAs() = 0;
    virtual void STDMETHODCALLTYPE GetCachedPatternAs() = 0;
    virtual void STDMETHODCALLTYPE GetCurrentPattern() = 0;
    virtual void STDMETHODCALLTYPE GetCachedPattern() = 0;
    virtual void STDMETHODCALLTYPE GetCachedParent() = 0;
    virtual void STDMETHODCALLTYPE GetCachedChildren() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentProcessId(int* id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentControlType(int* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentLocalizedControlType(BSTR* type) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR* name) = 0;
};

struct IUIAutomationTreeWalker : IUnknown
{
    virtual void STDMETHODCALLTYPE GetParentElement() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFirstChildElement(IUIAutomationElement* element,
                                                           IUIAutomationElement** first) = 0;
    virtual void STDMETHODCALLTYPE GetLastChildElement() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNextSiblingElement(IUIAutomationElement* element,
                                                            IUIAutomationElement** next) = 0;
};

struct IUIAutomation : IUnknown
{
    virtual void STDMETHODCALLTYPE CompareElements() = 0;
    virtual void STDMETHODCALLTYPE CompareRuntimeIds() = 0;
    virtual void STDMETHODCALLTYPE GetRootElement() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window,
                                                        IUIAutomationElement** element) = 0;
    virtual void STDMETHODCALLTYPE ElementFromPoint() = 0;
    virtual void STDMETHODCALLTYPE GetFocusedElement() = 0;
    virtual void STDMETHODCALLTYPE GetRootElementBuildCache() = 0;
    virtual void STDMETHODCALLTYPE ElementFromHandleBuildCache() = 0;
    virtual void STDMETHODCALLTYPE ElementFromPointBuildCache() = 0;
    virtual void STDMETHODCALLTYPE GetFocusedElementBuildCache() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker(IUIAutomationCondition* condition,
                                                       IUIAutomationTreeWalker** walker) = 0;
    virtual void STDMETHODCALLTYPE get_ControlViewWalker() = 0;
    virtual void STDMETHODCALLTYPE get_ContentViewWalker() = 0;
    virtual void STDMETHODCALLTYPE get_RawViewWalker() = 0;
    virtual void STDMETHODCALLTYPE get_RawViewCondition() = 0;
    virtual void STDMETHODCALLTYPE get_ControlViewCondition() = 0;
    virtual void STDMETHODCALLTYPE get_ContentViewCondition() = 0;
    virtual void STDMETHODCALLTYPE CreateCacheRequest() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(IUIAutomationCondition** condition) = 0;
};

namespace {

constexpr CLSID kCUIAutomation{
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID kIUIAutomation{
    0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr int kHasKeyboardFocus = 30008;
constexpr int kFullDescription = 30159;

constexpr DWORD kCallLimitSeconds = 30;

// The control types Qt gives the screens' controls, by the names UI Automation's documentation
// uses; any other is printed as its number.
const char* controlTypeName(int type)
{
    switch (type) {
    case 50000:
        return "Button";
    case 50004:
        return "Edit";
    case 50006:
        return "Image";
    case 50020:
        return "Text";
    case 50025:
        return "Custom";
    case 50026:
        return "Group";
    case 50032:
        return "Window";
    case 50033:
        return "Pane";
    default:
        return nullptr;
    }
}

// Runs one UI Automation call on a thread of its own in the process's multithreaded apartment,
// and ends the program if the thread has not ended within kCallLimitSeconds. (The thread's own
// handle is waited on: a timed wait on std::future, under Wine, now and then missed the end.)
template <typename Call> HRESULT limited(const char* what, Call call)
{
    struct Work
    {
        Call call;
        HRESULT result = E_UNEXPECTED;
    } work{call};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
            auto* work = static_cast<Work*>(data);
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            work->result = work->call();
            CoUninitialize();
            return 0;
        },
        &work, 0, nullptr);
    if (!thread || WaitForSingleObject(thread, kCallLimitSeconds * 1000) != WAIT_OBJECT_0) {
        std::printf("FAIL: UI Automation's %s did not return within %lu s\n", what,
                    kCallLimitSeconds);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    CloseHandle(thread);
    return work.result;
}

// Runs one UI Automation call within the time limit, and ends the program if it fails.
template <typename Call> void must(const char* what, Call call)
{
    if (const HRESULT status = limited(what, call); FAILED(status)) {
        std::printf("FAIL: UI Automation's %s failed (0x%08lx)\n", what,
                    static_cast<unsigned long>(status));
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

// The text in UTF-8, with tabs, line breaks and backslashes escaped.
std::string field(const wchar_t* text, UINT length)
{
    std::string escaped;
    for (UINT i = 0; i < length; ++i) {
        switch (text[i]) {
        case L'\t':
            escaped += "\\t";
            continue;
        case L'\n':
            escaped += "\\n";
            continue;
        case L'\\':
            escaped += "\\\\";
            continue;
        default:
            break;
        }
        char bytes[8];
        // A surrogate pair goes over together.
        const int units = (IS_HIGH_SURROGATE(text[i]) && i + 1 < length) ? 2 : 1;
        const int written =
            WideCharToMultiByte(CP_UTF8, 0, text + i, units, bytes, sizeof bytes, nullptr, nullptr);
        escaped.append(bytes, static_cast<std::size_t>(written));
        i += static_cast<UINT>(units - 1);
    }
    return escaped;
}

std::string textOf(BSTR text)
{
    return text ? field(text, SysStringLen(text)) : std::string();
}

// One element's line: control type, Name, FullDescription, focus.
void print(IUIAutomationElement* element)
{
    int type = 0;
    must("get_CurrentControlType", [&] { return element->get_CurrentControlType(&type); });
    BSTR name = nullptr;
    must("get_CurrentName", [&] { return element->get_CurrentName(&name); });
    // Wine 10 has get_CurrentFullDescription as a stub; the property itself is read.
    VARIANT description;
    VariantInit(&description);
    must("GetCurrentPropertyValueEx(FullDescription)",
         [&] { return element->GetCurrentPropertyValueEx(kFullDescription, TRUE, &description); });
    VARIANT focus;
    VariantInit(&focus);
    must("GetCurrentPropertyValueEx(HasKeyboardFocus)",
         [&] { return element->GetCurrentPropertyValueEx(kHasKeyboardFocus, TRUE, &focus); });
    const char* typeName = controlTypeName(type);
    const std::string typeText = typeName ? typeName : std::to_string(type);
    std::printf("%s\t%s\t%s\t%s\n", typeText.c_str(), textOf(name).c_str(),
                description.vt == VT_BSTR ? textOf(description.bstrVal).c_str() : "",
                focus.vt == VT_BOOL && focus.boolVal == VARIANT_TRUE ? "focused" : "");
    SysFreeString(name);
    VariantClear(&description);
    VariantClear(&focus);
}

// Releases a UI Automation object within the time limit: a remote one asks its process.
void release(IUnknown* object)
{
    if (object) {
        limited("Release", [&] { return static_cast<HRESULT>(object->Release()); });
    }
}

// Prints each element inside `parent`, depth first. A walker of the raw view, with the condition
// that every element meets: Wine 10 has the walkers of the predefined views as stubs, and walks
// faster than it finds all.
void walk(IUIAutomationTreeWalker* walker, IUIAutomationElement* parent)
{
    IUIAutomationElement* child = nullptr;
    must("GetFirstChildElement", [&] { return walker->GetFirstChildElement(parent, &child); });
    while (child) {
        print(child);
        walk(walker, child);
        IUIAutomationElement* next = nullptr;
        must("GetNextSiblingElement", [&] { return walker->GetNextSiblingElement(child, &next); });
        release(child);
        child = next;
    }
}

// Prints the window and every element inside it, in tree order.
void read(HWND window)
{
    IUIAutomation* automation = nullptr;
    must("CoCreateInstance(CUIAutomation)", [&] {
        return CoCreateInstance(kCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, kIUIAutomation,
                                reinterpret_cast<void**>(&automation));
    });
    IUIAutomationElement* root = nullptr;
    must("ElementFromHandle", [&] { return automation->ElementFromHandle(window, &root); });
    IUIAutomationCondition* everything = nullptr;
    must("CreateTrueCondition", [&] { return automation->CreateTrueCondition(&everything); });
    IUIAutomationTreeWalker* walker = nullptr;
    must("CreateTreeWalker", [&] { return automation->CreateTreeWalker(everything, &walker); });
    print(root);
    walk(walker, root);
    release(walker);
    release(everything);
    release(root);
    release(automation);
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 2) {
        std::fputs("usage: uia_probe.exe TITLE [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = count > 2 ? _wtoi(arguments[2]) : 10;
    HWND window = nullptr;
    for (int tries = 0; tries <= seconds * 10 && !window; ++tries) {
        window = FindWindowW(nullptr, arguments[1]);
        if (!window) {
            Sleep(100);
        }
    }
    LocalFree(arguments);
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    read(window);
    std::fflush(stdout);
    CoUninitialize();
    return 0;
}
