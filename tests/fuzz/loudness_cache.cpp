// Any bytes as the loudness cache: no crash, and nothing read is kept that is not sane.
#include "playback/LoudnessCache.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static const QString path = QDir::tempPath() + QStringLiteral("/lyrabox3-fuzz-loudness");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    LoudnessCache cache(path, 8);
    // The line the fuzzer most easily makes: a gain for the root folder.
    const auto gain = cache.find({"/", 0, 0});
    if (gain && (!std::isfinite(*gain) || std::fabs(*gain) > 60)) {
        std::abort();
    }
    cache.put({"/a", 1, 1}, 1.0);
    return 0;
}
