#include "playback/PlayableFile.h"

#include "platform/FileNameCodec.h"

#include <sys/stat.h>

bool playableFileExists(const QString &path)
{
    struct stat st {};
    const bool file = ::stat(platform::encodeFileName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    return file && !path.section(u'/', -1).startsWith(u'.');
}
