#include "platform/game_launcher.h"

#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace {

// QProcess says little when a detached start fails, so the usual reasons are
// told from the file itself.
QString startFailure(const QString& program, const QProcess& process)
{
    const QFileInfo file(program);
    if (!file.exists())
        return QStringLiteral("no such file");
    if (file.isDir())
        return QStringLiteral("it is a folder");
    if (!file.isExecutable())
        return QStringLiteral("not executable");
    return process.errorString();
}

}  // namespace

void ProcessGameLauncher::launch(const QString& program, const QStringList& arguments,
                                 const QString&)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (process.startDetached())
        return;
    const QString line = QStringLiteral("zarnek: cannot start %1: %2\n")
                             .arg(program, startFailure(program, process));
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}
