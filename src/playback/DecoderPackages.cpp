#include "playback/DecoderPackages.h"

#include <QSet>

#include <utility>

namespace DecoderPackages {
namespace {

// The caps' media type: what follows "decoder-" up to the first ",".
QString mediaType(const QString &caps)
{
    return caps.section(u',', 0, 0).trimmed();
}

} // namespace

QString debianPackageFor(const QString &installerDetail)
{
    const QString wanted = installerDetail.section(u'|', 4);
    if (!wanted.startsWith(QStringLiteral("decoder-"))) {
        return {};
    }
    const QString caps = wanted.mid(8);
    const QString type = mediaType(caps);
    // MP3 decodes with -good; AAC, the other MPEG audio, needs -libav.
    if (type == QStringLiteral("audio/mpeg")) {
        return caps.contains(QStringLiteral("mpegversion=(int)1"))
                   ? QStringLiteral("gstreamer1.0-plugins-good")
                   : QStringLiteral("gstreamer1.0-libav");
    }
    static const std::pair<const char *, const char *> known[] = {
        {"audio/x-wma", "gstreamer1.0-libav"},
        {"video/x-ms-asf", "gstreamer1.0-plugins-ugly"},
        {"audio/x-flac", "gstreamer1.0-plugins-good"},
        {"video/quicktime", "gstreamer1.0-plugins-good"},
        {"audio/x-m4a", "gstreamer1.0-plugins-good"},
        {"audio/x-wav", "gstreamer1.0-plugins-good"},
        {"audio/x-au", "gstreamer1.0-plugins-good"},
        {"application/ogg", "gstreamer1.0-plugins-base"},
        {"audio/x-vorbis", "gstreamer1.0-plugins-base"},
        {"audio/x-opus", "gstreamer1.0-plugins-base"},
        {"audio/x-aiff", "gstreamer1.0-plugins-bad"},
        {"audio/midi", "gstreamer1.0-plugins-bad"},
        {"audio/x-midi-event", "gstreamer1.0-plugins-bad"},
    };
    for (const auto &[knownType, package] : known) {
        if (type == QLatin1StringView(knownType)) {
            return QString::fromLatin1(package);
        }
    }
    return {};
}

QString missingDecoderText(const QString &extension, const QStringList &installerDetails)
{
    QStringList descriptions;
    QStringList packages;
    for (const QString &detail : installerDetails) {
        descriptions << detail.section(u'|', 3, 3);
        const QString package = debianPackageFor(detail);
        if (!package.isEmpty() && !packages.contains(package)) {
            packages << package;
        }
    }
    descriptions.removeAll(QString());
    descriptions.removeDuplicates();
    QString text =
        QStringLiteral("*.") + extension +
        QStringLiteral(" のファイルは、必要なデコーダーがインストールされていないため再生できません。\r\n");
    if (!descriptions.isEmpty()) {
        text += QStringLiteral("（") + descriptions.join(QStringLiteral("、")) + QStringLiteral("）\r\n");
    }
    text += packages.isEmpty()
                ? QStringLiteral("GStreamer の対応するプラグインをインストールしてください。\r\n")
                : QStringLiteral("Debian パッケージ ") + packages.join(QStringLiteral("、")) +
                      QStringLiteral(" をインストールすると再生できます。\r\n");
    return text + QStringLiteral("この形式のファイルは飛ばして、次のファイルを再生します。");
}

} // namespace DecoderPackages
