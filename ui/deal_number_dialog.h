// "按编号发牌…": asks for a deal number. A number that is not one (letters,
// nothing, 0, past the last deal, ending in 000) is refused in the dialog
// with the reason, and the dialog stays open; a good one closes it.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;

namespace tav::ui {

class DealNumberDialog : public QDialog {
    Q_OBJECT
public:
    // `suggested`: the number shown at first (the deal on the table, or 0 for none).
    explicit DealNumberDialog(std::uint64_t suggested, QWidget* parent = nullptr);
    // The number accepted; 0 until one is.
    std::uint64_t number() const { return number_; }
    void accept() override;

private:
    QLineEdit* edit_;
    QLabel* error_;
    std::uint64_t number_ = 0;
};

}  // namespace tav::ui
