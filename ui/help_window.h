// The help window: our own page of the game's rules, from the resources.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tav::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

    static constexpr const char* kIndex = "qrc:/help/index.html";
    static constexpr const char* kIndexEnglish = "qrc:/help/index_en.html";

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
};

}  // namespace tav::ui
