// The desktop's side of the game: message boxes (the partner question opens
// beside the table and answers later), delays run by a timer, printing and
// closing.
#pragma once

#include <QPointer>
#include <QWidget>

#include "view/platform.h"

class QPrinter;

namespace tav::ui {

class TableWidget;

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* window) : window_(window) {}
    void set_view(TableWidget* view) { view_ = view; }

    bool ask_yes_no(const std::string& title, const std::string& text) override;
    void ask_yes_no_then(const std::string& title, const std::string& text, std::function<void(bool)> then) override;
    void message(const std::string& title, const std::string& text) override;
    void after(double seconds, std::function<void()> then) override;
    void print() override;
    void close() override;

    // Draws the table on a printer that is already set up (the print
    // command and tests use it).
    void print_to(QPrinter& printer);
    // Opens the page set-up dialog for the printer the print command uses.
    void printer_setup();

private:
    QPrinter& printer();
    QPointer<QWidget> window_;
    TableWidget* view_ = nullptr;
    QPrinter* printer_ = nullptr;
};

}  // namespace tav::ui
