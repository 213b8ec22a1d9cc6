#pragma once

#include <curl/curl.h>

namespace platform {

// libcurl, opened the first time a request is made. It brings some twenty TLS,
// Kerberos and LDAP libraries, and their start-up work, that a player which is
// only playing has no use for.
struct CurlLibrary {
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_cleanup) multi_cleanup;
    decltype(&curl_multi_setopt) multi_setopt;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_socket_action) multi_socket_action;
    decltype(&curl_multi_info_read) multi_info_read;
};

// Null when libcurl cannot be opened: then no request can be made.
const CurlLibrary *curlLibrary();

} // namespace platform
