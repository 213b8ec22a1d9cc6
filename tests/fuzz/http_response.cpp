// Any bytes from a server, in any pieces: the reader never keeps more body
// than allowed and ends either complete or invalid once the peer closes.
#include "platform/HttpResponse.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const qsizetype piece = 1 + data[0] % 64; // the first byte sets how the reply arrives
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size) - 1);
    platform::HttpResponse response(512);
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        response.feed(bytes.mid(at, piece));
    }
    response.closed();
    if (response.body().size() > 512 || response.complete() == response.invalid()) {
        std::abort();
    }
    return 0;
}
