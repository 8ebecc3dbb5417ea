#include "ui/keep_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

#include "app/settings_store.h"

namespace tav::ui {
namespace {
// Far more than a saved game or the statistics of years of play.
constexpr qint64 kMostBytes = qint64{64} * 1024 * 1024;
}  // namespace

QString data_folder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

std::optional<std::string> read_whole_file(const QString& path, QString* error) {
    QFile f(path);
    if (!f.exists()) return std::nullopt;
    if (f.size() > kMostBytes) {
        if (error) *error = "文件太大";
        return std::nullopt;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = f.read(kMostBytes + 1);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool write_whole_file(const QString& path, const std::string& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(text.data(), static_cast<qint64>(text.size()));
    return f.commit();
}

QString move_aside(const QString& path) {
    for (int n = 1; n < 1000; ++n) {
        const QString aside = path + ".bad" + (n == 1 ? QString() : QString::number(n));
        if (QFile::exists(aside)) continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return {};
}

void load_settings(Settings& s) {
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

void save_settings(const Settings& s) {
    QSettings file;
    for (const auto& [key, value] : settings_entries(s))
        file.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

}  // namespace tav::ui
