#include "ui/about_dialog.h"
#include "ui/language.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/resources.h"

#ifndef TAV_VERSION
#define TAV_VERSION "0.0.0"
#endif

namespace tav::ui {

QUrl AboutDialog::project_page() {
    // Placeholder address until the project has a public page.
    return QUrl("https://example.org/tav");
}

QString AboutDialog::version_text() {
    return QString(tx("版本 %1\n构建 %2，Qt %3")).arg(TAV_VERSION, __DATE__, QT_VERSION_STR);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    ensure_resources();
    setObjectName("w_about");
    setWindowTitle(tx("关于Tav"));
    setModal(true);

    auto* picture = new QLabel;
    picture->setObjectName("p_about");
    picture->setPixmap(QPixmap(":/tav.png").scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel("瑟柯牌局");
    title->setObjectName("st_title");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);

    auto* version = new QLabel(version_text());
    version->setObjectName("st_version");
    auto* contact = new QLabel(tx("联系：tav@example.org"));
    contact->setObjectName("st_contact");

    auto* link = new QLabel(QString(tx("<a href=\"%1\">网站提供最新下载</a>")).arg(project_page().toString()));
    link->setObjectName("st_link");
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setCursor(Qt::PointingHandCursor);
    // Opens the page in the default browser when the desktop has one.
    connect(link, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });

    auto* confirm_button = new QPushButton(tx("确定"));
    confirm_button->setObjectName("cb_confirm");
    confirm_button->setDefault(true);
    connect(confirm_button, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(6);
    texts->addWidget(contact);
    texts->addWidget(link);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tav::ui
