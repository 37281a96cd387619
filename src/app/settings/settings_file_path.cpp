#include "app/settings/settings_file_path.h"

#include "core/settings/settings_path.h"

#include <QCoreApplication>
#include <QFile>

QString settingsFilePath()
{
    const QByteArray exeDir = QFile::encodeName(QCoreApplication::applicationDirPath());
    const std::string path = zarnek::settings::settingsPath(exeDir.toStdString());
    return QFile::decodeName(QByteArray::fromStdString(path));
}
