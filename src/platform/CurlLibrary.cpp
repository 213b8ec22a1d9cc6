#include "platform/CurlLibrary.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace platform {
namespace {

template <typename Function> bool resolve(void *handle, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool load(CurlLibrary &curl)
{
    void *handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        qWarning("libcurl.so.4 could not be opened: %s", dlerror());
        return false;
    }
    const bool all = resolve(handle, "curl_global_init", curl.global_init) &&
                     resolve(handle, "curl_easy_init", curl.easy_init) &&
                     resolve(handle, "curl_easy_cleanup", curl.easy_cleanup) &&
                     resolve(handle, "curl_easy_setopt", curl.easy_setopt) &&
                     resolve(handle, "curl_easy_getinfo", curl.easy_getinfo) &&
                     resolve(handle, "curl_multi_init", curl.multi_init) &&
                     resolve(handle, "curl_multi_cleanup", curl.multi_cleanup) &&
                     resolve(handle, "curl_multi_setopt", curl.multi_setopt) &&
                     resolve(handle, "curl_multi_add_handle", curl.multi_add_handle) &&
                     resolve(handle, "curl_multi_remove_handle", curl.multi_remove_handle) &&
                     resolve(handle, "curl_multi_socket_action", curl.multi_socket_action) &&
                     resolve(handle, "curl_multi_info_read", curl.multi_info_read);
    // Kept open for the rest of the run: its global state lives until the end.
    return all && curl.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

} // namespace

const CurlLibrary *curlLibrary()
{
    static CurlLibrary curl{};
    static const bool loaded = load(curl);
    return loaded ? &curl : nullptr;
}

} // namespace platform
