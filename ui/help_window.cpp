#include "ui/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_tav_resources() {
    Q_INIT_RESOURCE(tav);
    Q_INIT_RESOURCE(help);
}

namespace tav::ui {

void ensure_resources() {
    static const bool done = (init_tav_resources(), true);
    (void)done;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("w_help");
    ensure_resources();
    setWindowTitle("瑟柯牌局 - 帮助");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("help_browser");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(kIndex));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 600);
}

}  // namespace tav::ui
