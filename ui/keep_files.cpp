#include "ui/keep_files.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "app/settings_store.h"
#include "ui/language.h"

namespace tav::ui {
namespace {
// Far more than a saved game or the statistics of years of play.
constexpr qint64 kMostBytes = qint64{64} * 1024 * 1024;

// Why a path that exists cannot be one of our files; empty when it can (or
// does not exist). Asked before opening: a pipe would hold the start.
QString not_plain(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return {};
    if (!info.isFile()) return tx("这不是一个普通文件");
    return {};
}

// Why writing `bytes` to `path` failed, as the player can act on it: Qt
// names a full disk "Unknown error".
QString reason(const QString& path, std::size_t bytes, const QString& qt_says) {
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < static_cast<qint64>(bytes) + 4096) return tx("磁盘已满");
    return qt_says.isEmpty() ? tx("无法写入磁盘") : qt_says;
}

// The user's settings file when it was refused (it is named in the window
// once the window's language is known).
QString& refused_settings() {
    static QString path;
    return path;
}

}  // namespace

QString data_folder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

std::optional<std::string> read_whole_file(const QString& path, QString* error) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return std::nullopt;
    QString why = not_plain(path);
    if (why.isEmpty() && info.size() > kMostBytes) why = tx("文件太大");
    QFile f(path);
    if (why.isEmpty() && !f.open(QIODevice::ReadOnly)) why = f.errorString();
    if (!why.isEmpty()) {
        if (error) *error = why;
        return std::nullopt;
    }
    const QByteArray bytes = f.read(kMostBytes + 1);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool write_whole_file(const QString& path, const std::string& text, QString* error) {
    QString why = not_plain(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (why.isEmpty() && !f.open(QIODevice::WriteOnly)) why = f.errorString();
    // Every byte and the flush are checked: QSaveFile renames whatever it
    // has on commit unless told that the writing failed.
    if (why.isEmpty() && f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        why = f.errorString();
    if (why.isEmpty() && !f.flush()) why = f.errorString();
    if (!why.isEmpty()) {
        why = reason(path, text.size(), why);
        f.cancelWriting();  // the temporary file goes, the old file stays
    } else if (!f.commit()) {
        why = reason(path, text.size(), f.errorString());
    }
    if (error) *error = why;
    return why.isEmpty();
}

bool append_to_file(const QString& path, const std::string& text, QString* error) {
    QString why = not_plain(path);
    if (why.isEmpty() && !QFileInfo::exists(path)) why = tx("文件不存在");
    QFile f(path);
    if (why.isEmpty() && !f.open(QIODevice::WriteOnly | QIODevice::Append)) why = f.errorString();
    const qint64 old = f.isOpen() ? f.size() : 0;
    if (why.isEmpty() &&
        (f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !f.flush()))
        why = reason(path, text.size(), f.errorString());
    // On disk before the deal is counted as kept: a power cut keeps it too.
    if (why.isEmpty() && ::fsync(f.handle()) != 0) why = tx("无法写入磁盘");
    if (!why.isEmpty() && f.isOpen()) f.resize(old);  // nothing half written stays
    if (error) *error = why;
    return why.isEmpty();
}

bool cut_file(const QString& path, qint64 bytes) { return not_plain(path).isEmpty() && QFile::resize(path, bytes); }

QString move_aside(const QString& path) {
    for (int n = 1; n < 1000; ++n) {
        const QString aside = path + ".bad" + (n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(aside) || QFileInfo(aside).isSymLink()) continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return {};
}

void load_settings(Settings& s) {
    // QSettings reads its files as it is made: the user's file (and the
    // organisation's beside it) is looked at first.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString org = QCoreApplication::organizationName().isEmpty() ? QCoreApplication::applicationName()
                                                                       : QCoreApplication::organizationName();
    for (const QString& path :
         {config + "/" + org + "/" + QCoreApplication::applicationName() + ".conf", config + "/" + org + ".conf"}) {
        const QString why = not_plain(path);
        if (why.isEmpty()) continue;
        refused_settings() = path;
        std::fprintf(stderr, "tav: the settings file %s is not a plain file: not read, not written\n",
                     qPrintable(path));
        // The settings of this run go to a folder of their own, gone at the end.
        static const auto scratch = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch->path());
        return;
    }
    if (!refused_settings().isEmpty()) {
        // Refused before in this process (the tests): the user's folder again.
        refused_settings().clear();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    }
    QSettings file;
    SettingsEntries entries;
    for (const auto& [key, value] : settings_entries(s)) {
        const QString k = QString::fromStdString(key);
        if (!file.contains(k)) continue;
        // A hand-written value with commas reads as a list: joined back, it is refused as it stands.
        const QVariant v = file.value(k);
        const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString();
        entries.emplace_back(key, text.toStdString());
    }
    for (const std::string& refused : apply_settings_entries(s, entries))
        std::fprintf(stderr, "tav: a remembered setting is refused, the start value kept: %s\n", refused.c_str());
}

bool save_settings(const Settings& s, QString* error) {
    QSettings file;
    for (const auto& [key, value] : settings_entries(s))
        file.setValue(QString::fromStdString(key), QString::fromStdString(value));
    file.sync();
    if (file.status() == QSettings::NoError) return true;
    if (error) *error = tx("无法写入 %1").arg(file.fileName());
    return false;
}

QString settings_refusal() {
    if (refused_settings().isEmpty()) return {};
    return tx("设置文件 %1 不是普通文件，没有读取。本次使用原始设置，设置也不会保存。").arg(refused_settings());
}

}  // namespace tav::ui
