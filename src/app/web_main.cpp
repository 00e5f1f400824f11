// Quorvex in the browser: the WebAssembly module behind the page. The page calls the functions
// exported here with what the user does, and receives what to draw through the one function it
// provides, quorvex_post (src/views/web/web_view.h lists the messages).

#include "screen_registry.h"
#include "screen_table.h"
#include "web_view.h"

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

// The page's function that takes each message, as UTF-8 JSON.
extern "C" [[clang::import_module("env"), clang::import_name("quorvex_post")]] void
quorvexPost(const char* message, std::size_t length);

namespace {

// The screens, made at the first start and kept for the life of the page, as a process keeps
// them.
std::unique_ptr<quorvex::ScreenRegistry> registry;
// The calculation Ctrl+C last copied, where the page reads it.
std::string copied;

quorvex::Screen* loadedScreen(int screen)
{
    if (!registry || screen < 0 ||
        static_cast<std::size_t>(screen) >= quorvex::kScreenTable.size()) {
        return nullptr;
    }
    quorvex::Screen* instance =
        registry->instance(quorvex::kScreenTable[static_cast<std::size_t>(screen)]);
    return instance && instance->isLoaded() ? instance : nullptr;
}

} // namespace

extern "C" {

// Memory for the texts the page passes in.
[[clang::export_name("quorvex_alloc")]] void* quorvexAlloc(std::size_t size)
{
    return std::malloc(size == 0 ? 1 : size);
}

[[clang::export_name("quorvex_free")]] void quorvexFree(void* memory)
{
    std::free(memory);
}

// Starts the application on the main menu: at the page's load, and again after it has closed.
[[clang::export_name("quorvex_start")]] void quorvexStart()
{
    if (!registry) {
        registry =
            std::make_unique<quorvex::ScreenRegistry>(std::make_unique<quorvex::WebPresenter>(
                quorvex::kScreenTable,
                [](const std::string& message) { quorvexPost(message.data(), message.size()); }));
    }
    registry->show(quorvex::kScreenTable.front());
}

// The user pressed a button of a loaded screen.
[[clang::export_name("quorvex_click")]] void quorvexClick(int screen, int control)
{
    if (quorvex::Screen* instance = loadedScreen(screen); instance && control >= 0) {
        instance->click(static_cast<std::size_t>(control));
    }
}

// The user changed the text of a box: `length` bytes of UTF-8 at `text`.
[[clang::export_name("quorvex_edit")]] void quorvexEdit(int screen, int control, const char* text,
                                                        std::size_t length)
{
    if (quorvex::Screen* instance = loadedScreen(screen); instance && control >= 0) {
        instance->edit(static_cast<std::size_t>(control), std::string(text, length));
    }
}

// The user closed a window with its close box.
[[clang::export_name("quorvex_close")]] void quorvexClose(int screen)
{
    if (quorvex::Screen* instance = loadedScreen(screen)) {
        instance->unload();
    }
}

// Ctrl+C on a screen, where no selection of a box's own was to be copied: the calculation as
// NUL-terminated UTF-8, or null when there is nothing to copy.
[[clang::export_name("quorvex_copy")]] const char* quorvexCopy(int screen)
{
    quorvex::Screen* instance = loadedScreen(screen);
    const std::optional<std::string> calculation =
        instance ? instance->copyCalculation() : std::nullopt;
    if (!calculation) {
        return nullptr;
    }
    copied = *calculation;
    return copied.c_str();
}

} // extern "C"
