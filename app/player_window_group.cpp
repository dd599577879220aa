#include "app/player_window_group.h"

#include <wx/window.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace orvane {

// GTK is loaded with the toolkit, but its headers are not needed for the
// three calls: they are looked up in the running program, and when one is
// missing the window simply shares the main window's group.
void TakeOwnInput([[maybe_unused]] wxWindow& window) {
#ifdef __WXGTK__
    using NewGroup = void* (*)();
    using AddWindow = void (*)(void*, void*);
    using Release = void (*)(void*);
    const auto newGroup = reinterpret_cast<NewGroup>(dlsym(RTLD_DEFAULT, "gtk_window_group_new"));
    const auto addWindow =
        reinterpret_cast<AddWindow>(dlsym(RTLD_DEFAULT, "gtk_window_group_add_window"));
    const auto release = reinterpret_cast<Release>(dlsym(RTLD_DEFAULT, "g_object_unref"));
    void* handle = window.GetHandle();
    if (newGroup == nullptr || addWindow == nullptr || release == nullptr || handle == nullptr)
        return;
    void* group = newGroup();
    addWindow(group, handle);
    release(group);  // the window keeps it
#endif
}

}  // namespace orvane
