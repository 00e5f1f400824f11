// Windows: Qt's own Windows platform, and UI Automation for screen readers (Narrator, NVDA).

#include "platform.h"

#include <QWidget>

#include <windows.h>
#include <uiautomationcore.h>

namespace quorvex::platform {
namespace {

// UI Automation's entry points, taken from the system's own UIAutomationCore.dll when it is first
// needed, as Qt's Windows platform does: notifications exist only from Windows 10 1709 on, and a
// program that imported them would not start on an older system.
struct UiAutomation
{
    using ClientsAreListening = BOOL(WINAPI*)();
    using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
    using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR,
                                                    BSTR);

    ClientsAreListening clientsAreListening = nullptr;
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    RaiseNotificationEvent raiseNotificationEvent = nullptr;

    UiAutomation()
    {
        HMODULE module =
            LoadLibraryExW(L"UIAutomationCore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module) {
            clientsAreListening = reinterpret_cast<ClientsAreListening>(
                reinterpret_cast<void*>(GetProcAddress(module, "UiaClientsAreListening")));
            hostProviderFromHwnd = reinterpret_cast<HostProviderFromHwnd>(
                reinterpret_cast<void*>(GetProcAddress(module, "UiaHostProviderFromHwnd")));
            raiseNotificationEvent = reinterpret_cast<RaiseNotificationEvent>(
                reinterpret_cast<void*>(GetProcAddress(module, "UiaRaiseNotificationEvent")));
        }
    }

    bool usable() const
    {
        return clientsAreListening && hostProviderFromHwnd && raiseNotificationEvent &&
               clientsAreListening();
    }
};

// NotificationKind_ActionCompleted and NotificationProcessing_ImportantMostRecent: the results
// of the action just taken, and of two "Solve"s in quick succession only the last.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;

} // namespace

struct DisplayOpening::Held
{
};

bool displayAvailable()
{
    // Every Windows session has its desktop.
    return true;
}

void prepareApplication()
{
    // Qt's defaults suit Windows: per-monitor DPI awareness (the manifest says so too), the
    // system's fonts, and UI Automation once a screen reader asks for it.
}

DisplayOpening::DisplayOpening() = default;
DisplayOpening::~DisplayOpening() = default;

void DisplayOpening::release() {}

QString standInFace(std::string_view face)
{
    // Windows has every face the screens name. "MS Sans Serif" is a bitmap face in a few sizes,
    // which Qt would draw with Arial at the others (every size, at twice the scale); "Microsoft
    // Sans Serif", on every Windows since 2000, is its outline face, of the same design and widths.
    if (face == "MS Sans Serif") {
        return QStringLiteral("Microsoft Sans Serif");
    }
    return {};
}

bool standInReplacesFace(std::string_view face)
{
    return face == "MS Sans Serif";
}

void announceDescription(QWidget& widget)
{
    announce(widget, widget.accessibleDescription());
}

void announce(QWidget& widget, const QString& text)
{
    static const UiAutomation automation;
    if (!automation.usable()) {
        return;
    }
    // The notification is raised on the widget's window, the element Windows itself provides for
    // a window handle.
    const auto window = reinterpret_cast<HWND>(widget.window()->winId());
    IRawElementProviderSimple* provider = nullptr;
    if (FAILED(automation.hostProviderFromHwnd(window, &provider)) || !provider) {
        return;
    }
    BSTR displayString = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()),
                                           static_cast<UINT>(text.size()));
    BSTR activityId = SysAllocString(L"Quorvex.Results");
    automation.raiseNotificationEvent(provider, kActionCompleted, kImportantMostRecent,
                                      displayString, activityId);
    SysFreeString(activityId);
    SysFreeString(displayString);
    provider->Release();
}

} // namespace quorvex::platform
