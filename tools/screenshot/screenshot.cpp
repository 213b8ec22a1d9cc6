// Saves a PNG of the whole X display, to look at the player under Xvfb:
//   screenshot out.png [delay-ms]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    if (argc > 2) {
        QThread::msleep(QByteArray(argv[2]).toULong());
    }
    return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
