#include "ui/help_window.h"
#include "ui/language.h"

#include "ui/resources.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tav::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("w_help");
    ensure_resources();
    setWindowTitle(tx("瑟柯牌局 - 帮助"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("help_browser");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(english_in_use() ? kIndexEnglish : kIndex));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 600);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes it, as it closes the game's dialogs (the page passes it on).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tav::ui
