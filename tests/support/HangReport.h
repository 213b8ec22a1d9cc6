#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Where each thread of a program that stopped answering waits in the kernel (the stacks
// need root). A hang seen once in a busy run is otherwise gone by the time anyone looks.
// No debugger: one that attaches waits for ever on a thread stuck on a dead mount, and
// leaves the program stopped.
inline QString hangReport(qint64 pid)
{
    QString report = QStringLiteral("threads of %1:\n").arg(pid);
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto read = [&](const char *name) {
            QFile file(tasks.filePath(task + u'/' + QLatin1String(name)));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
        };
        report += QStringLiteral("%1 %2 waits in %3, system call %4\n%5\n")
                      .arg(task, read("comm"), read("wchan"), read("syscall"), read("stack"));
    }
    return report;
}
