// The about box "关于Tav": the program's picture, title, version and build,
// a contact line and a link to the project's page.
#pragma once

#include <QDialog>
#include <QUrl>

namespace tav::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The project's page that "网站提供最新下载" opens.
    static QUrl project_page();
    // "版本 x.y.z" and the build: taken from the build system.
    static QString version_text();
};

}  // namespace tav::ui
