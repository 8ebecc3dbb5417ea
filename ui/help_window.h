// The help window: our own page of the game's rules, from the resources.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tav::ui {

// Registers the program's pictures and the help page. The resources sit in a
// static library, where nothing else makes the linker keep them; safe to call
// more than once.
void ensure_resources();

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

    static constexpr const char* kIndex = "qrc:/help/index.html";

private:
    QTextBrowser* browser_;
};

}  // namespace tav::ui
